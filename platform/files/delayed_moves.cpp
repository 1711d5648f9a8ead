#include "platform/files/delayed_moves.h"

#include "platform/core/codepage.h"
#include "platform/core/machine_state.h"
#include "platform/files/record_lines.h"
#include "platform/host/host_files.h"

namespace platform {

namespace {

[[noreturn]] void fail(int line, const std::string& what) {
  throw DelayedMovesError("delayed move line " + std::to_string(line) + ": " + what);
}

bool hasControlCharacters(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20) return true;
  return false;
}

}  // namespace

std::vector<DelayedMove> parseDelayedMoves(std::string_view text) {
  std::vector<DelayedMove> moves;
  forEachRecordLine(text, [&](int number, std::string_view line) {
    auto fields = splitRecordFields(line);
    if (fields.size() != 3)
      fail(number, "expected source, destination and flags separated by tabs");
    std::string_view source = fields[0], destination = fields[1], flags = fields[2];
    if (source.empty()) fail(number, "no source");
    if (hasControlCharacters(source) || hasControlCharacters(destination))
      fail(number, "control characters in a path");
    if (!flags.empty() && flags != "replace")
      fail(number, "unknown flags '" + std::string(flags) + "'");
    moves.push_back({utf8ToAnsi(source), utf8ToAnsi(destination), flags == "replace"});
  });
  return moves;
}

std::string formatDelayedMoves(const std::vector<DelayedMove>& moves) {
  std::string out;
  for (const auto& move : moves)
    out += ansiToUtf8(move.source) + '\t' + ansiToUtf8(move.destination) + '\t' +
           (move.replaceExisting ? "replace" : "") + '\n';
  return out;
}

DelayedMoveList::DelayedMoveList(std::filesystem::path stateFolder)
    : file_(std::move(stateFolder) / "delayed_moves.txt") {}

std::vector<DelayedMove> DelayedMoveList::pending() const {
  std::optional<std::string> text = host::readFile(file_);
  if (!text) return {};
  try {
    return parseDelayedMoves(*text);
  } catch (const DelayedMovesError& error) {
    throw DelayedMovesError(file_.string() + ": " + error.what());
  }
}

void DelayedMoveList::add(const DelayedMove& move) {
  std::vector<DelayedMove> moves = pending();
  moves.push_back(move);
  host::makeDirectories(file_.parent_path());
  replaceHostFile(file_, formatDelayedMoves(moves));
}

void DelayedMoveList::clear() {
  host::removeFile(file_);
}

}  // namespace platform
