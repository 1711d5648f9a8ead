#include "platform/cabinet/cabinet_write.h"

#include <gio/gio.h>
#include <libgcab.h>

#include <memory>

#include "platform/core/errors.h"

namespace platform {
namespace {

template <typename T>
struct GObjectDeleter {
  void operator()(T* object) const {
    if (object) g_object_unref(object);
  }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

[[noreturn]] void cabinetFailure(GError* error) {
  std::string message = error ? error->message : "unknown error";
  if (error) g_error_free(error);
  throw corvasta::Error("Cannot write a cabinet: " + message);
}

GCabFile* newMember(const CabinetMember& member) {
  GBytes* bytes = g_bytes_new(member.bytes.data(), member.bytes.size());
  GCabFile* file = gcab_file_new_with_bytes(member.name.c_str(), bytes);
  g_bytes_unref(bytes);
  GDateTime* time = g_date_time_new_from_unix_utc(member.time);
  gcab_file_set_date_time(file, time);
  g_date_time_unref(time);
  gcab_file_set_attributes(file, member.attributes);
  return file;
}

}  // namespace

std::string mszipCabinet(const std::vector<CabinetMember>& members) {
  GError* error = nullptr;
  GObjectPtr<GCabCabinet> cabinet(gcab_cabinet_new());
  GCabFolder* folder = gcab_folder_new(GCAB_COMPRESSION_MSZIP);
  for (const auto& member : members) {
    GObjectPtr<GCabFile> file(newMember(member));
    if (!gcab_folder_add_file(folder, file.get(), FALSE, nullptr, &error)) {
      g_object_unref(folder);
      cabinetFailure(error);
    }
  }
  bool added = gcab_cabinet_add_folder(cabinet.get(), folder, &error);
  g_object_unref(folder);
  if (!added) cabinetFailure(error);

  GObjectPtr<GOutputStream> out(g_memory_output_stream_new_resizable());
  if (!gcab_cabinet_write_simple(cabinet.get(), out.get(), nullptr, nullptr, nullptr, &error))
    cabinetFailure(error);
  if (!g_output_stream_close(out.get(), nullptr, &error)) cabinetFailure(error);
  auto* memory = G_MEMORY_OUTPUT_STREAM(out.get());
  const char* data = static_cast<const char*>(g_memory_output_stream_get_data(memory));
  return std::string(data, g_memory_output_stream_get_data_size(memory));
}

}  // namespace platform
