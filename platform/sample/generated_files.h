#pragma once
// The files of a sample machine that Corvasta generates: deterministic
// contents (text with CR LF line ends, stand-ins for Windows' own binaries,
// data that looks like real binary files, small images), and the shorthands
// the installation builders use to add such files to a drive's tree. Every
// generator depends only on its arguments, so two creations of a machine give
// the same bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

// Text that every stand-in binary carries near its start, so that a person
// (or a test) looking at the file sees at once what it is.
inline constexpr std::string_view kPlaceholderMarker = "Corvasta sample machine placeholder";

// "\n" line ends turned into "\r\n", as Windows text files have them.
std::string crlf(std::string_view text);

// A seed for one file: the machine's seed mixed with the file's path.
uint64_t contentSeed(uint32_t machineSeed, std::string_view path);

// `size` bytes that look like a binary file: stretches of varied bytes, runs
// of zeros and repeated records, so that they compress about as well as real
// executables and data files do.
std::string binaryData(size_t size, uint64_t seed);

// A stand-in for a program, driver or data file of Windows or of a program
// shipped beside Corvasta: the file name and its role in a readable header
// ("MZ" first for executables, as DOS and Windows programs begin), then
// binary data up to `size` bytes. These files are copied by the program,
// never run.
std::string placeholderBinary(std::string_view fileName, std::string_view role, size_t size,
                              uint64_t seed);

// A valid 24-bit Windows bitmap of the given size showing a smooth pattern.
std::string bitmapImage(int width, int height, uint64_t seed);

// A stand-in for one of Windows' own binaries, dated with Windows' release.
void addSystemBinary(SampleTree& tree, const SampleLayout& layout, std::string_view path,
                     std::string_view role, size_t size, uint8_t attributes = 0);

// A text file (given with "\n" line ends, written with "\r\n").
void addText(SampleTree& tree, std::string_view path, std::string_view text, SampleTime time,
             uint8_t attributes = 0);

// A binary data file (caches, indexes, address books), dated `time`.
void addData(SampleTree& tree, const SampleLayout& layout, std::string_view path, size_t size,
             SampleTime time, uint8_t attributes = 0);

// The file name part of a relative Windows path.
std::string_view fileNameOf(std::string_view path);

}  // namespace platform::sample
