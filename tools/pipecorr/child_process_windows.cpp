// Children on Windows: the program starts itself again with the hidden
// subcommand, in a private working folder and a job object of its own (the
// Windows process group: whatever the child starts is killed with it), and
// reads the child's records from a pipe whose writing end the child
// inherits. The child's standard
// output and error go to a file in its folder, so a plug-in's own printing
// cannot mix into the records. A child that dies of an exception ends with
// the exception's code as its status, without any dialog.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>

#include "child_process.hpp"
#include "text/error.hpp"

namespace pipecorr::hostkit {
namespace {

// How often the parent looks whether its time limits have passed while it
// waits for the child.
constexpr std::chrono::milliseconds kExitPoll{20};

class HandleSink : public RecordSink {
 public:
  explicit HandleSink(HANDLE handle) : handle_(handle) {}

 protected:
  void put(std::string_view line) override {
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

// Everything the child starts stays in its job object, killed with it;
// closing the last handle kills them too, so a check that is itself killed
// leaves nothing running.
HANDLE new_job_object() {
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job == nullptr) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits,
                               sizeof limits)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

// Reads the child's records until the pipe ends, noting when the last
// ones came. The records are read by the parent after the thread ended.
struct Reader {
  HANDLE pipe = nullptr;
  std::string records;
  std::atomic<long long> last_ticks{0};

  static DWORD WINAPI run(void* self) {
    auto& reader = *static_cast<Reader*>(self);
    char buffer[1 << 14];
    DWORD got = 0;
    while (ReadFile(reader.pipe, buffer, sizeof buffer, &got, nullptr) &&
           got > 0) {
      reader.records.append(buffer, got);
      reader.last_ticks = CheckClock::now().time_since_epoch().count();
    }
    return 0;
  }
};

ChildRun run_child(const ChildJob& job, std::chrono::milliseconds silence,
                   CheckClock::time_point deadline) {
  ChildRun run;
  std::filesystem::path folder;
  try {
    folder = private_folder();
  } catch (const std::exception& error) {
    run.end = {ChildEnd::Kind::kNotStarted, 0,
               std::string("no working folder for a child: ") + error.what()};
    return run;
  }
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
  // Suspended until it is in its job object, so that nothing it starts
  // escapes the job.
  // A launch that fails is tried twice more after a pause: a loaded
  // machine (or wine's server) can refuse one for a moment. The error is
  // taken at once, before closing handles and removing the folder set
  // their own.
  BOOL started = FALSE;
  DWORD launch_error = 0;
  for (int attempt = 0; attempt < 3 && !started; ++attempt) {
    if (attempt > 0) Sleep(200);
    started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr,
                             TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                             folder_name.c_str(), &startup, &process);
    if (!started) launch_error = GetLastError();
  }
  CloseHandle(write_end);
  if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  if (!started) {
    CloseHandle(read_end);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    run.end = {ChildEnd::Kind::kNotStarted, 0,
               "cannot start a child (Windows error " +
                   std::to_string(launch_error) + ")"};
    return run;
  }
  HANDLE group = new_job_object();
  if (group != nullptr && !AssignProcessToJobObject(group, process.hProcess)) {
    // Where jobs cannot nest, the child alone is killed.
    CloseHandle(group);
    group = nullptr;
  }
  ResumeThread(process.hThread);
  CloseHandle(process.hThread);

  Reader reader;
  reader.pipe = read_end;
  reader.last_ticks = CheckClock::now().time_since_epoch().count();
  HANDLE reading = CreateThread(nullptr, 0, &Reader::run, &reader, 0, nullptr);

  bool timed_out = false;
  bool stopped = false;
  while (true) {
    const auto now = CheckClock::now();
    const auto quiet_until =
        CheckClock::time_point(CheckClock::duration(reader.last_ticks.load())) +
        silence;
    if (now >= deadline) {
      stopped = true;
      break;
    }
    if (now >= quiet_until) {
      timed_out = true;
      break;
    }
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::min(quiet_until, deadline) - now);
    const DWORD wait_ms = static_cast<DWORD>(
        std::clamp<long long>(wait.count(), 1, kExitPoll.count()));
    if (WaitForSingleObject(process.hProcess, wait_ms) == WAIT_OBJECT_0) break;
  }
  if (group != nullptr) {
    TerminateJobObject(group, 1);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  if (reading != nullptr) {
    // A process outside the job (one that broke away) may hold the pipe.
    if (WaitForSingleObject(reading, 2000) == WAIT_TIMEOUT) {
      CancelSynchronousIo(reading);
    }
    WaitForSingleObject(reading, INFINITE);
    CloseHandle(reading);
  }
  if (group != nullptr) CloseHandle(group);
  CloseHandle(read_end);
  run.records = std::move(reader.records);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);

  if (stopped) {
    run.end = {ChildEnd::Kind::kStopped, 0,
               "stopped when the run's bound was reached"};
  } else if (timed_out) {
    char text[64];
    std::snprintf(text, sizeof text, "no return within %g s (killed)",
                  static_cast<double>(silence.count()) / 1000.0);
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

ChildRunner make_child_runner(std::chrono::milliseconds silence) {
  return [silence](const ChildJob& job, CheckClock::time_point deadline) {
    return run_child(job, silence, deadline);
  };
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
  return run_child_job(job, sink) ? 0 : kUnfinishedJobStatus;
}

}  // namespace pipecorr::hostkit
