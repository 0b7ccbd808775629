#include "host/live/check_process.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "host/core/host.h"
#include "host/panel/checker.h"
#include "host/panel/panel_session.h"

namespace korvel::live {

namespace {

using nlohmann::json;
using clock = std::chrono::steady_clock;

const char* severity_name(panel::Severity s) {
    return s == panel::Severity::error ? "error" : s == panel::Severity::warning ? "warning" : "note";
}

bool write_all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

// Reads exactly `size` bytes before the deadline (none: no deadline).
bool read_all(int fd, char* data, std::size_t size, std::optional<clock::time_point> deadline) {
    while (size > 0) {
        if (deadline) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - clock::now());
            pollfd p{fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, int(std::max<std::int64_t>(0, left.count())));
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) return false;
        }
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

bool send_text(int fd, const std::string& text) {
    const auto size = std::uint32_t(text.size());
    return write_all(fd, reinterpret_cast<const char*>(&size), sizeof size) && write_all(fd, text.data(), text.size());
}

std::optional<std::string> receive_text(int fd, std::optional<clock::time_point> deadline) {
    std::uint32_t size = 0;
    if (!read_all(fd, reinterpret_cast<char*>(&size), sizeof size, deadline)) return std::nullopt;
    std::string text(size, '\0');
    if (!read_all(fd, text.data(), size, deadline)) return std::nullopt;
    return text;
}

std::string dumped(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

// The grandchild: one check, its answer on `out`, and gone.
[[noreturn]] void run_check(int out, const CheckWork& work, const std::string& text, const std::string& folder) {
    std::string answer;
    try {
        answer = dumped(json{{"findings", work(text, folder)}});
    } catch (const std::exception& e) {
        answer = dumped(json{{"error", std::string("the checker failed: ") + e.what()}});
    } catch (...) {
        answer = dumped(json{{"error", "the checker failed"}});
    }
    send_text(out, answer);
    ::_exit(0);
}

// One check in a grandchild, within the limit; the answer as JSON text.
std::string check_once(int requests, const CheckWork& work, std::chrono::milliseconds limit, const std::string& text,
                       const std::string& folder) {
    int channel[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, channel) != 0)
        return dumped(json{{"error", std::string("the checker cannot start: ") + std::strerror(errno)}});
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only the checker's own process speaks for it: a grandchild keeps
        // no end of the live panel's line open.
        ::close(requests);
        ::close(channel[0]);
        run_check(channel[1], work, text, folder);
    }
    ::close(channel[1]);
    if (pid < 0) {
        ::close(channel[0]);
        return dumped(json{{"error", std::string("the checker cannot start: ") + std::strerror(errno)}});
    }
    auto answer = receive_text(channel[0], clock::now() + limit);
    ::close(channel[0]);
    if (!answer) ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (answer) return *answer;
    if (WIFSIGNALED(status) && WTERMSIG(status) != SIGKILL)
        return dumped(json{{"error", "the checker stopped with signal " + std::to_string(WTERMSIG(status))}});
    return dumped(
        json{{"error", "the checker took longer than " + std::to_string(limit.count()) + " ms and was stopped"}});
}

// The checker's process: a check per request until the live panel goes.
[[noreturn]] void serve_checks(int in, const CheckWork& work, std::chrono::milliseconds limit) {
    for (;;) {
        const auto folder = receive_text(in, std::nullopt);
        const auto text = folder ? receive_text(in, std::nullopt) : std::nullopt;
        if (!text || !send_text(in, check_once(in, work, limit, *text, *folder))) ::_exit(0);
    }
}

}  // namespace

json check_in_own_host(const std::string& text, const std::string& folder) {
    host::Host scratch;
    const panel::PanelConfig config = panel::read_panel_config(text, panel::module_gauges(scratch));
    json findings = json::array();
    for (const panel::Problem& p : panel::check_panel(scratch, config, folder))
        findings.push_back({{"line", p.line}, {"severity", severity_name(p.severity)}, {"message", p.message}});
    return findings;
}

CheckProcess::CheckProcess(std::chrono::milliseconds limit, const CheckWork& work) : limit_(limit) {
    if (host::Host::current() != nullptr)
        throw std::logic_error("the checker's process must start before the live panel's host");
    int channel[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0)
        throw std::runtime_error(std::string("cannot start the checker's process: ") + std::strerror(errno));
    child_ = ::fork();
    if (child_ == 0) {
        ::close(channel[0]);
        serve_checks(channel[1], work, limit);
    }
    ::close(channel[1]);
    if (child_ < 0) {
        ::close(channel[0]);
        throw std::runtime_error(std::string("cannot start the checker's process: ") + std::strerror(errno));
    }
    socket_ = channel[0];
}

CheckProcess::~CheckProcess() {
    if (socket_ >= 0) ::close(socket_);  // the child reads the end and goes
    if (child_ > 0) {
        int status = 0;
        while (::waitpid(child_, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

CheckResult CheckProcess::check(const std::string& text, const std::string& folder) {
    std::lock_guard lock(mutex_);
    CheckResult result;
    if (socket_ < 0) {
        result.error = "the checker's process has stopped";
        return result;
    }
    // The grandchild has the limit; the checker's own process answers soon after.
    const auto deadline = clock::now() + limit_ + std::chrono::seconds(2);
    std::optional<std::string> answer;
    if (send_text(socket_, folder) && send_text(socket_, text)) answer = receive_text(socket_, deadline);
    if (!answer) {
        ::close(socket_);
        socket_ = -1;
        ::kill(child_, SIGKILL);
        result.error = "the checker's process has stopped";
        return result;
    }
    const json reply = json::parse(*answer, nullptr, false);
    if (reply.is_object() && reply.contains("findings") && reply["findings"].is_array())
        result.findings = reply["findings"];
    else
        result.error = reply.is_object() && reply.contains("error") ? reply["error"].get<std::string>()
                                                                    : "the checker answered what it cannot read";
    return result;
}

}  // namespace korvel::live
