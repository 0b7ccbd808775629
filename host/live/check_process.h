// The checker for the editor, in processes of its own. The live panel's host
// is the one host of its process, and gauges of one kind share their
// records, so the checker, which places and clicks gauges, cannot run
// there. A child forked at start-up, before any host or thread exists,
// keeps the module as it loads; for each check it forks a grandchild that
// builds its own host, checks the text and sends the findings back as JSON.
// A check that runs past its time limit is killed and reported, and the
// live panel goes on either way.
#pragma once

#include <nlohmann/json.hpp>

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>

namespace korvel::live {

struct CheckResult {
    nlohmann::json findings = nlohmann::json::array();  // {"line", "severity", "message"} each, in line order
    std::string error;                                  // why there are none, when the checker could not run
};

// What a grandchild does with a panel.cfg's text and its folder: the
// findings as JSON. The default builds a host and runs the panel checker.
using CheckWork = std::function<nlohmann::json(const std::string& text, const std::string& folder)>;
nlohmann::json check_in_own_host(const std::string& text, const std::string& folder);

class CheckProcess {
public:
    // Forks the checker's process: call it before the live panel starts
    // its threads and its host.
    explicit CheckProcess(std::chrono::milliseconds limit = std::chrono::seconds(5),
                          const CheckWork& work = check_in_own_host);
    ~CheckProcess();
    CheckProcess(const CheckProcess&) = delete;
    CheckProcess& operator=(const CheckProcess&) = delete;

    // Checks a panel.cfg's text (its background bitmaps looked for in
    // `folder`, none when empty). Any thread may ask; checks run one at a time.
    CheckResult check(const std::string& text, const std::string& folder);

private:
    std::chrono::milliseconds limit_;
    std::mutex mutex_;
    int socket_ = -1;
    pid_t child_ = -1;
};

}  // namespace korvel::live
