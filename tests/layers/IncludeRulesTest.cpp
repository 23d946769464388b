// Which folder may include which: linking alone lets any file include any header under src/.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Each folder with the folders it uses directly; what those may use, it may use too. A test
// folder follows the rule of the source folder of the same name and may also use tests/support
// and the screen fixture of tools/fixture.
const std::map<std::string, std::vector<std::string>> uses = {
    // The reading of English text: pure, without audio, under the recogniser and the detector.
    {"language", {}},
    {"platform", {"language"}},
    {"core", {"platform"}},
    {"listening", {"core"}},
    // The account takes only the JSON coding helpers from core.
    {"account", {"core"}},
    {"session", {"listening", "account"}},
    {"ui/foundation", {"session"}},
    {"ui/session", {"ui/foundation"}},
    {"ui/preparation", {"ui/foundation"}},
    {"ui/settings", {"ui/foundation"}},
    {"ui/shell", {"ui/session", "ui/preparation", "ui/settings"}},
    {"app", {"ui/shell"}},
    // Test-only folders: helpers every test shares, over platform alone, and this test.
    {"support", {"platform"}},
    {"layers", {}},
    // The stores with the system replaced, for the screen tool and the screen tests.
    {"fixture", {"ui/foundation"}},
    // The specimen and screen program.
    {"gallery", {"ui/shell", "fixture"}},
    // The recognition measuring tool drives the capture engine.
    {"speech", {"listening"}},
    // The scorer of written utterances runs the detector.
    {"questions", {"listening"}},
};

// Single headers a screen folder shares with a sibling.
const std::set<std::pair<std::string, std::string>> sharedHeaders = {
    {"ui/preparation", "ui/session/InterviewLanguageChoiceView.h"},
    {"ui/settings", "ui/session/AnswerText.h"},
    {"ui/settings", "ui/session/AnswerCueView.h"},
    {"support", "fixture/MemorySecretStore.h"},
};

std::set<std::string> allowedFrom(const std::string& folder) {
    std::set<std::string> allowed{folder};
    std::vector<std::string> pending{folder};
    while (!pending.empty()) {
        const std::string next = pending.back();
        pending.pop_back();
        const auto it = uses.find(next);
        if (it == uses.end())
            continue;
        for (const std::string& used : it->second)
            if (allowed.insert(used).second)
                pending.push_back(used);
    }
    return allowed;
}

struct Include {
    std::string file;
    int line;
    std::string header;
};

std::vector<Include> quotedIncludes(const fs::path& file, const std::string& shown) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<Include> found;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::smatch match;
        if (std::regex_search(text, match, include))
            found.push_back({shown, line, match[1]});
    }
    return found;
}

// Every source file under one of the project's code roots, with the folder it belongs to.
std::map<fs::path, std::string> sourceFiles(const fs::path& root) {
    std::map<fs::path, std::string> files;
    for (const char* top : {"src", "tests", "tools"}) {
        const fs::path base = root / top;
        if (!fs::exists(base))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(base)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
                continue;
            files[entry.path()] = entry.path().parent_path().lexically_relative(base).string();
        }
    }
    return files;
}

} // namespace

TEST(IncludeRules, EveryFolderIncludesOnlyWhatItMayUse) {
    const fs::path root = CORVEL_SOURCE_ROOT;
    const auto files = sourceFiles(root);
    ASSERT_GT(files.size(), 100u);
    std::vector<std::string> problems;
    for (const auto& [file, folder] : files) {
        const std::string shown = file.lexically_relative(root).string();
        if (!uses.count(folder)) {
            problems.push_back(shown + ": the folder " + folder + " has no include rule");
            continue;
        }
        const std::set<std::string> allowed = allowedFrom(folder);
        for (const Include& include : quotedIncludes(file, shown)) {
            const auto slash = include.header.rfind('/');
            if (slash == std::string::npos)
                continue; // a header of the same folder
            const std::string used = include.header.substr(0, slash);
            const bool testSupport =
                (used == "support" || used == "fixture") && shown.starts_with("tests/");
            if (allowed.count(used) || testSupport || sharedHeaders.count({folder, include.header}))
                continue;
            problems.push_back(include.file + ":" + std::to_string(include.line) + ": " + folder +
                               " may not include " + include.header);
        }
    }
    std::string report;
    for (const std::string& problem : problems)
        report += problem + "\n";
    EXPECT_TRUE(problems.empty()) << report;
}

// The language library is read by a newcomer part by part: a part never includes, even
// indirectly, the reader that uses it. A header and its source are one part.
TEST(IncludeRules, NoPartOfTheLanguageLibraryIncludesItsUserBack) {
    const fs::path folder = fs::path(CORVEL_SOURCE_ROOT) / "src" / "language";
    std::map<std::string, std::set<std::string>> uses;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string part = entry.path().stem().string();
        uses[part];
        for (const Include& include : quotedIncludes(entry.path(), part)) {
            const std::string used = fs::path(include.header).stem().string();
            if (include.header.starts_with("language/") && used != part)
                uses[part].insert(used);
        }
    }
    ASSERT_GT(uses.size(), 20u);
    // A depth-first walk: a part met again while its own walk is open closes a cycle.
    std::map<std::string, int> state; // 1 open, 2 done
    std::vector<std::string> path;
    std::vector<std::string> cycles;
    const auto walk = [&](const auto& self, const std::string& part) -> void {
        state[part] = 1;
        path.push_back(part);
        for (const std::string& used : uses[part]) {
            if (state[used] == 1) {
                std::string cycle;
                for (auto it = std::find(path.begin(), path.end(), used); it != path.end(); ++it)
                    cycle += *it + " -> ";
                cycles.push_back(cycle + used);
            } else if (state[used] == 0) {
                self(self, used);
            }
        }
        path.pop_back();
        state[part] = 2;
    };
    for (const auto& [part, used] : uses)
        if (state[part] == 0)
            walk(walk, part);
    std::string report;
    for (const std::string& cycle : cycles)
        report += cycle + "\n";
    EXPECT_TRUE(cycles.empty()) << report;
}
