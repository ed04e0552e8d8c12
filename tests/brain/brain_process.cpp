#include "brain_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

bool spawn_brain(BrainProcess& brain, const std::string& path, const std::string& dir) {
  int in[2], out[2];
  if (pipe(in) != 0) return false;
  if (pipe(out) != 0) {
    close(in[0]);
    close(in[1]);
    return false;
  }
  pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    close(in[0]);
    close(in[1]);
    close(out[0]);
    close(out[1]);
    if (chdir(dir.c_str()) != 0) _exit(126);
    execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  // A brain that dies must not take the driver with it through SIGPIPE.
  signal(SIGPIPE, SIG_IGN);
  brain.pid = pid;
  brain.to_brain = in[1];
  brain.from_brain = out[0];
  brain.pending.clear();
  return true;
}

bool send_text(BrainProcess& brain, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(brain.to_brain, text.data() + done, text.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

bool read_reply(BrainProcess& brain, std::string& line, int timeout_ms) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    size_t end = brain.pending.find('\n');
    if (end != std::string::npos) {
      line = brain.pending.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      brain.pending.erase(0, end + 1);
      return true;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
    if (left < 0) return false;
    pollfd p{brain.from_brain, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left) + 1) <= 0) continue;
    char buf[4096];
    ssize_t n = read(brain.from_brain, buf, sizeof buf);
    if (n <= 0) return false;
    brain.pending.append(buf, static_cast<size_t>(n));
  }
}

int finish_brain(BrainProcess& brain, int timeout_ms) {
  if (brain.pid < 0) return -1;
  close(brain.to_brain);
  int status = 0;
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  pid_t done = 0;
  while ((done = waitpid(brain.pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  if (done == 0) {
    kill(brain.pid, SIGKILL);
    waitpid(brain.pid, &status, 0);
    status = -1;
  }
  close(brain.from_brain);
  brain.pid = -1;
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::string make_temp_dir() {
  const char* base = std::getenv("TMPDIR");
  std::string dir = std::string(base ? base : "/tmp") + "/pbrainXXXXXX";
  if (!mkdtemp(dir.data())) return "";
  return dir;
}

void remove_temp_dir(const std::string& dir) {
  if (dir.empty()) return;
  std::string command = "rm -rf '" + dir + "'";
  if (std::system(command.c_str()) != 0) return;
}
