// Shared pieces of the graph program's tests: a message shell that records, a scratch folder,
// files of CR LF lines, the stop a call ends with, names of parameterised cases.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "util.h"

namespace pgplot::testing {

struct Message {
    std::string caption; // "Stop" for stop messages, "Output" for text output
    std::string text;
    bool operator==(const Message&) const = default;
};

inline void PrintTo(const Message& m, std::ostream* os) {
    *os << m.caption << ": " << m.text;
}

class RecordingShell : public MessageShell {
  public:
    explicit RecordingShell(std::vector<Message>& log) : log_(log) {}
    void box(std::string_view caption, std::string_view text) override {
        log_.push_back({std::string(caption), std::string(text)});
    }
    void stopMessage(std::string_view text) override { log_.push_back({"Stop", std::string(text)}); }
    void textOutput(std::string_view line) override { log_.push_back({"Output", std::string(line)}); }

  private:
    std::vector<Message>& log_;
};

// Records every message while it lives.
class MessageLog {
  public:
    MessageLog() : previous_(installMessageShell(std::make_unique<RecordingShell>(messages))) {}
    ~MessageLog() { installMessageShell(std::move(previous_)); }
    std::vector<Message> messages;

    std::vector<Message> boxes() const {
        std::vector<Message> result;
        for (const auto& m : messages) {
            if (m.caption != "Output" && m.caption != "Stop") {
                result.push_back(m);
            }
        }
        return result;
    }

  private:
    std::unique_ptr<MessageShell> previous_;
};

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pgplot-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    std::string write(const std::string& name, const std::string& content) const {
        const auto file = (path_ / name).string();
        std::ofstream(file, std::ios::binary) << content;
        return file;
    }
    std::string path(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& folder() const { return path_; }
    // Copies a data file of tests/fixtures into the folder, so that no test depends on where the
    // sources lie; returns the copy's path.
    std::string fixture(const std::string& name) const {
        const auto copy = path_ / name;
        std::filesystem::copy_file(std::filesystem::path(PGPLOT_FIXTURES) / name, copy,
                                   std::filesystem::copy_options::overwrite_existing);
        return copy.string();
    }
    // The names in the folder.
    std::set<std::string> names() const {
        std::set<std::string> result;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            result.insert(entry.path().filename().string());
        }
        return result;
    }

  private:
    std::filesystem::path path_;
};

// The lines as the front end writes them, each ended by CR LF.
inline std::string crlfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A configuration file as the front end writes it: the lines, then five blank ones.
inline std::string frontEndConfig(const std::vector<std::string>& lines) {
    return crlfLines(lines) + crlfLines({"", "", "", "", ""});
}

inline std::string fileText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The stop that action ends the program with; a failure of the test when it returns.
template <typename Action> ProgramStop stopOf(Action&& action) {
    try {
        action();
    } catch (const ProgramStop& stop) {
        return stop;
    }
    ADD_FAILURE() << "the program did not stop";
    return {ProgramStop::Kind::StopMessage, "(no stop)"};
}

// Names each case of a parameterised test by its name member.
struct CaseName {
    template <typename Info> std::string operator()(const Info& info) const { return info.param.name; }
};

} // namespace pgplot::testing
