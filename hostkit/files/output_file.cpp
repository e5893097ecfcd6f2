#include "files/output_file.hpp"

#include <cerrno>
#include <string>
#include <system_error>

#include "text/error.hpp"

namespace pipecorr::hostkit {

OutputFile::OutputFile(const std::optional<std::filesystem::path>& path)
    : final_path_(path) {
  if (!final_path_) {
    stream_ = stdout;
    return;
  }
  std::error_code error;
  if (std::filesystem::is_directory(*final_path_, error)) {
    throw Error("output '" + final_path_->string() + "' is a directory");
  }
  temporary_path_ = *final_path_;
  temporary_path_ += ".partial";
#if defined(_WIN32)
  stream_ = _wfopen(temporary_path_.c_str(), L"wb");
#else
  stream_ = std::fopen(temporary_path_.c_str(), "wb");
#endif
  if (stream_ == nullptr) {
    throw Error(
        "cannot create output file '" + final_path_->string() +
        "': " + std::error_code(errno, std::generic_category()).message());
  }
}

OutputFile::~OutputFile() {
  if (!final_path_ || committed_) return;
  if (stream_ != nullptr) std::fclose(stream_);
  std::error_code ignored;
  std::filesystem::remove(temporary_path_, ignored);
}

void OutputFile::write(std::string_view text) {
  if (text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) {
    throw Error(final_path_ ? "cannot write output file '" +
                                     final_path_->string() + "'"
                               : std::string("cannot write standard output"));
  }
}

void OutputFile::commit() {
  if (!final_path_) {
    if (std::fflush(stdout) != 0) {
      throw Error("cannot write standard output");
    }
    committed_ = true;
    return;
  }
  const bool closed = std::fclose(stream_) == 0;
  stream_ = nullptr;
  if (!closed) {
    throw Error("cannot finish output file '" + final_path_->string() + "'");
  }
  std::error_code error;
  std::filesystem::rename(temporary_path_, *final_path_, error);
  if (error) {
    throw Error("cannot put output file '" + final_path_->string() +
                   "' in place: " + error.message());
  }
  committed_ = true;
}

void write_output(const std::optional<std::filesystem::path>& path,
                  std::string_view text) {
  OutputFile file(path);
  file.write(text);
  file.commit();
}

}  // namespace pipecorr::hostkit
