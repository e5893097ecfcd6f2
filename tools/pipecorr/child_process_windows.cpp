// Children on Windows: the program starts itself again with the hidden
// subcommand, in a private working folder, and reads the child's records
// from a pipe whose writing end the child inherits. The child's standard
// output and error go to a file in its folder, so a plug-in's own printing
// cannot mix into the records. A child that dies of an exception ends with
// the exception's code as its status, without any dialog.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "child_process.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

class HandleSink : public RecordSink {
 public:
  explicit HandleSink(HANDLE handle) : handle_(handle) {}
  void write_line(std::string_view line) override {
    std::string text(line);
    text += '\n';
    const char* data = text.data();
    DWORD left = static_cast<DWORD>(text.size());
    while (left > 0) {
      DWORD written = 0;
      if (!WriteFile(handle_, data, left, &written, nullptr) || written == 0) {
        return;  // the parent is gone
      }
      data += written;
      left -= written;
    }
  }

 private:
  HANDLE handle_;
};

// The command-line quoting that the C runtime's argument parser undoes.
std::wstring quoted_argument(const std::wstring& word) {
  if (!word.empty() && word.find_first_of(L" \t\"") == std::wstring::npos) {
    return word;
  }
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') backslashes = backslashes * 2 + 1;
    out.append(backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

std::wstring own_path() {
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(),
                                          static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return buffer;
}

std::string exception_text(DWORD code) {
  const char* name = "an exception";
  switch (code) {
    case 0xC0000005:
      name = "access violation";
      break;
    case 0xC00000FD:
      name = "stack overflow";
      break;
    case 0xC000001D:
      name = "illegal instruction";
      break;
    case 0xC0000094:
      name = "integer division by zero";
      break;
    case 0xC0000409:
      name = "stack buffer overrun";
      break;
    case 0xC000008E:
      name = "floating-point divide by zero";
      break;
    case 0xC0000090:
      name = "floating-point invalid operation";
      break;
    case 0xC0000091:
      name = "floating-point overflow";
      break;
    case 0xC00002B5:
      name = "floating-point multiple traps";
      break;
    default:
      break;
  }
  char text[96];
  std::snprintf(text, sizeof text, "ended by exception 0x%08lX (%s)",
                static_cast<unsigned long>(code), name);
  return text;
}

bool floating_point_exception(DWORD code) {
  return (code >= 0xC000008D && code <= 0xC0000093) || code == 0xC00002B4 ||
         code == 0xC00002B5;
}

ChildRun run_child(const ChildJob& job, std::chrono::milliseconds timeout) {
  ChildRun run;
  const auto folder = private_folder();
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    run.end = {ChildEnd::Kind::kNotStarted, 0, "no pipe for a child"};
    return run;
  }
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  HANDLE output = CreateFileW((folder / "output.txt").wstring().c_str(),
                              GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE input = CreateFileW(L"NUL", GENERIC_READ, 0, &inherit, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);

  const std::wstring program = own_path();
  std::wstring line = quoted_argument(program);
  for (const auto& word :
       child_arguments(job, reinterpret_cast<std::uintptr_t>(write_end))) {
    line += L" " + quoted_argument(std::filesystem::path(word).wstring());
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  const std::wstring folder_name = folder.wstring();
  const BOOL started = CreateProcessW(program.c_str(), line.data(), nullptr,
                                      nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      folder_name.c_str(), &startup, &process);
  CloseHandle(write_end);
  if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  if (!started) {
    CloseHandle(read_end);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    run.end = {ChildEnd::Kind::kNotStarted, 0,
               "cannot start a child (Windows error " +
                   std::to_string(GetLastError()) + ")"};
    return run;
  }
  CloseHandle(process.hThread);
  std::thread reader([&run, read_end] {
    char buffer[1 << 14];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) &&
           got > 0) {
      run.records.append(buffer, got);
    }
  });
  const bool timed_out =
      WaitForSingleObject(process.hProcess,
                          static_cast<DWORD>(timeout.count())) == WAIT_TIMEOUT;
  if (timed_out) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  reader.join();
  CloseHandle(read_end);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);

  if (timed_out) {
    char text[64];
    std::snprintf(text, sizeof text, "no return within %g s (killed)",
                  static_cast<double>(timeout.count()) / 1000.0);
    run.end = {ChildEnd::Kind::kTimedOut, 0, text};
  } else if (code >= 0xC0000000U) {
    run.end = {floating_point_exception(code) ? ChildEnd::Kind::kTrapped
                                              : ChildEnd::Kind::kCrashed,
               static_cast<int>(code), exception_text(code)};
  } else {
    run.end = {ChildEnd::Kind::kExited, static_cast<int>(code),
               "exit status " + std::to_string(code)};
  }
  return run;
}

// In the child: an exception nobody handles ends the process at once with
// its code as the status, instead of a dialog or a debugger.
LONG WINAPI end_with_exception_code(EXCEPTION_POINTERS* exception) {
  ExitProcess(exception->ExceptionRecord->ExceptionCode);
}

}  // namespace

ChildRunner make_child_runner(std::chrono::milliseconds timeout) {
  return [timeout](const ChildJob& job) { return run_child(job, timeout); };
}

int run_check_child(const ChildJob& job,
                    std::optional<std::uintptr_t> record_handle) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX |
               SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(end_with_exception_code);
  const HANDLE records = record_handle
                             ? reinterpret_cast<HANDLE>(*record_handle)
                             : GetStdHandle(STD_OUTPUT_HANDLE);
  // A program the plug-in starts must not inherit the record pipe: it would
  // keep the parent reading after this child has ended.
  if (record_handle) SetHandleInformation(records, HANDLE_FLAG_INHERIT, 0);
  HandleSink sink(records);
  run_child_job(job, sink);
  return 0;
}

}  // namespace pipecorr::hostkit
