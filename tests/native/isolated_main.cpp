// The native tests link the module in, so its statics live as long as the
// process. Each test therefore runs in a child process of its own, starting
// from the module as it loads, as ctest and the Windows build (which loads
// the DLL afresh for every host) run them too.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool glob(const char* pattern, const char* name) {
    if (*pattern == '\0' || *pattern == ':') return *name == '\0';
    if (*pattern == '*') return glob(pattern + 1, name) || (*name != '\0' && glob(pattern, name + 1));
    if (*name == '\0') return false;
    return (*pattern == '?' || *pattern == *name) && glob(pattern + 1, name + 1);
}

bool any_of(const std::string& patterns, const std::string& name) {
    for (std::size_t at = 0; at <= patterns.size();) {
        const std::size_t end = std::min(patterns.find(':', at), patterns.size());
        if (glob(patterns.c_str() + at, name.c_str())) return true;
        at = end + 1;
    }
    return false;
}

// gtest's filter: positive patterns, then '-' and negative ones.
bool selected(const std::string& filter, const std::string& name) {
    const std::size_t dash = filter.find('-');
    const std::string positive = dash == std::string::npos ? filter : filter.substr(0, dash);
    const std::string negative = dash == std::string::npos ? "" : filter.substr(dash + 1);
    return any_of(positive.empty() ? "*" : positive, name) && (negative.empty() || !any_of(negative, name));
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const bool listing = testing::GTEST_FLAG(list_tests);
    if (listing || std::getenv("KORVEL_TEST_CHILD") != nullptr) return RUN_ALL_TESTS();

    std::vector<std::string> names;
    const testing::UnitTest& all = *testing::UnitTest::GetInstance();
    const std::string filter = testing::GTEST_FLAG(filter);
    for (int i = 0; i < all.total_test_suite_count(); ++i) {
        const testing::TestSuite& suite = *all.GetTestSuite(i);
        for (int j = 0; j < suite.total_test_count(); ++j) {
            const testing::TestInfo& info = *suite.GetTestInfo(j);
            const std::string name = std::string(suite.name()) + "." + info.name();
            if (selected(filter, name)) names.push_back(name);
        }
    }
    if (names.size() <= 1) return RUN_ALL_TESTS();

    setenv("KORVEL_TEST_CHILD", "1", 1);
    std::vector<std::string> failed;
    for (const std::string& name : names) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            testing::GTEST_FLAG(filter) = name;
            std::_Exit(RUN_ALL_TESTS());
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            failed.push_back(name);
            if (testing::GTEST_FLAG(fail_fast)) break;
        }
    }
    std::printf("\n%zu tests, each in its own process: %zu passed, %zu failed\n", names.size(),
                names.size() - failed.size(), failed.size());
    for (const std::string& name : failed) std::printf("  FAILED %s\n", name.c_str());
    return failed.empty() ? 0 : 1;
}
