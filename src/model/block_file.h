#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

// A file read and written at offsets. Every operation says whether it did all
// it was asked; the day database checks each one.
class BlockFile {
 public:
  virtual ~BlockFile() = default;
  // Reads up to n bytes at offset; returns how many were read (short at the end of the file).
  [[nodiscard]] virtual size_t ReadAt(uint64_t offset, void* buffer, size_t n) = 0;
  // Writes all n bytes at offset, or fails.
  [[nodiscard]] virtual bool WriteAt(uint64_t offset, const void* data, size_t n) = 0;
  [[nodiscard]] virtual bool Size(uint64_t* size) = 0;
  // Pushes written data to the disk.
  [[nodiscard]] virtual bool Flush() = 0;
  // Cuts or extends the file to size bytes (extension reads as zeros).
  [[nodiscard]] virtual bool Truncate(uint64_t size) = 0;

  enum class OpenResult { kOpened, kCreated, kMissing, kFailed };
  // Opens an existing file for reading and writing, denying other writers.
  static std::unique_ptr<BlockFile> OpenExisting(const std::filesystem::path& path, OpenResult* result);
  // Creates a file that does not exist yet; never replaces an existing one.
  static std::unique_ptr<BlockFile> CreateNew(const std::filesystem::path& path, OpenResult* result);
  // Opens the file, creating it when missing, for reading and writing (the journal beside db.dat).
  static std::unique_ptr<BlockFile> OpenOrCreate(const std::filesystem::path& path, OpenResult* result);
  // Opens an existing file for reading only, letting the program that writes it go on writing.
  static std::unique_ptr<BlockFile> OpenForReading(const std::filesystem::path& path, OpenResult* result);

  // The whole file, or nothing when it cannot be read.
  [[nodiscard]] std::optional<std::vector<uint8_t>> ReadAll();
};
