#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <regex>
#include <set>

#include "program.h"
#include "recorder.h"
#include "test_support.h"

namespace pgplot {
namespace {

using testing::CaseName;
using testing::crlfLines;
using testing::fileText;
using testing::frontEndConfig;
using testing::Message;
using testing::MessageLog;
using testing::Recorder;
using testing::ScratchFolder;
using testing::stopOf;

// The decay fixture, copied into folder, on linear axes with Y bars from its third column, then
// the lines given.
std::vector<std::string> decayGraphThen(const ScratchFolder& folder,
                                        std::initializer_list<std::string> more) {
    std::vector<std::string> lines = {
        "-fn" + folder.fixture("decay.dat"), "-xm0\t7", "-ym0\t100", "-at1", "-eb1\t 1\t0", "-ey$"};
    lines.insert(lines.end(), more);
    return lines;
}

struct MainRun {
    ScratchFolder folder;
    Recorder pg;
    MessageLog log;
    int status = -1;
    int run(const std::string& mode, const std::string& config) {
        status = MAIN({"pgplot", mode, folder.write("pgtemp.cfg", config)}, pg);
        return status;
    }
};

TEST(CommandLine, ModeWordByItsFirstTwoCharacters) {
    struct Case {
        const char* word;
        int mode;
    };
    for (const Case& c : {Case{"wv", 2}, Case{"WV", 2}, Case{"wvxyz", 2}, Case{"ps", 1}, Case{"Ps", 1},
                          Case{"pt", 3}, Case{"w", 0}, Case{"", 0}, Case{"xx", 0}}) {
        EXPECT_EQ(plotModeOf(c.word), c.mode) << c.word;
    }
}

TEST(CommandLine, UnknownModeStops) {
    MainRun r;
    EXPECT_EQ(r.run("x", ""), 1);
    EXPECT_EQ(r.log.messages, (std::vector<Message>{{"Stop", "command line entry not recognized"}}));
    EXPECT_TRUE(r.pg.calls.empty());
}

TEST(CommandLine, SupportFilesAreLookedForBesideTheProgram) {
    if (std::filesystem::exists("/usr/local/pgplot/rgb.txt")) {
        GTEST_SKIP() << "a system-wide installation is present";
    }
    MainRun r;
    r.run("ps", "");
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    ASSERT_NE(std::getenv("PGPLOT_DIR"), nullptr);
    EXPECT_EQ(std::string(std::getenv("PGPLOT_DIR")), self.parent_path().string() + "/pgfiles");
}

TEST(CommandLine, AllocationFailureIsReportedAndStops) {
    MessageLog log;
    STATERR(0);
    EXPECT_TRUE(log.messages.empty());
    const auto stop = stopOf([] { STATERR(12); });
    EXPECT_EQ(stop.kind, ProgramStop::Kind::StopMessage);
    EXPECT_EQ(stop.message, "stop program; please try again");
    EXPECT_EQ(log.messages, (std::vector<Message>{{"Output", "error allocating array, error no. 12"}}));
}

TEST(CommandLine, TemporaryDirectoryHasATrailingSeparator) {
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("TMPDIR", "/var/scratch", 1);
    EXPECT_EQ(temporaryDirectory(), "/var/scratch/");
    setenv("TMPDIR", "/var/scratch/", 1);
    EXPECT_EQ(temporaryDirectory(), "/var/scratch/");
    unsetenv("TMPDIR");
    EXPECT_EQ(temporaryDirectory(), "/tmp/");
    if (saved != nullptr) {
        setenv("TMPDIR", previous.c_str(), 1);
    }
}

TEST(Sections, TwoSectionsDrawIntoOneGraph) {
    MainRun r;
    const std::string config = frontEndConfig({
        "-fn" + r.folder.fixture("decay.dat"),
        "-xm0\t7",
        "-ym0\t100",
        "-at1",
        "-eb1\t 1\t0",
        "-ey$",
        "-p11\t3",
        "-a1100",
        "-a2-0.4",
        "-pn" + r.folder.path("two.ps"),
        "-!s2",
        "-fn" + r.folder.fixture("growth.dat"),
        "-ps6",
        "-eb3\t 2\t0",
        "-ey$",
        "-ex$",
        "-p11\t2",
        "-a13",
        "-a21.5",
        "-!!",
    });
    EXPECT_EQ(r.run("ps", config), 0);
    EXPECT_EQ(r.pg.opened.size(), 1u);
    EXPECT_EQ(r.pg.named("box").size(), 1u);
    ASSERT_EQ(r.pg.named("pt").size(), 2u);
    EXPECT_EQ(r.pg.named("pt")[0].numbers[0], 12.0f);
    EXPECT_EQ(r.pg.named("pt")[1].numbers[1], 6.0f); // the second section's marker
    EXPECT_EQ(r.pg.named("line").size(), 2u);
    ASSERT_FALSE(r.pg.calls.empty());
    EXPECT_EQ(r.pg.calls.back().name, "clos");
    EXPECT_TRUE(r.log.boxes().empty());
    ASSERT_FALSE(r.log.messages.empty());
    EXPECT_EQ(r.log.messages.back(), (Message{"Stop", "stopped in main, normal exit"}));
    EXPECT_NE(fileText(r.folder.path("two.ps")).find("%%BeginDocument"), std::string::npos);
}

TEST(Sections, FileWithoutEndLineDrawsItsSectionOnce) {
    MainRun r;
    const std::string config =
        crlfLines(decayGraphThen(r.folder, {"-pn" + r.folder.path("once.ps"), "-!s2"}));
    EXPECT_EQ(r.run("ps", config), 0) << ::testing::PrintToString(r.log.messages);
    EXPECT_EQ(r.pg.named("pt").size(), 1u);
}

TEST(Sections, MissingSecondDataFileIsFatalAndLeavesNoGraph) {
    MainRun r;
    const std::string config = frontEndConfig(
        decayGraphThen(r.folder, {"-pn" + r.folder.path("none.ps"), "-!s2", "-fn/no/such.dat", "-!!"}));
    EXPECT_EQ(r.run("ps", config), 1);
    EXPECT_EQ(r.log.boxes(), (std::vector<Message>{{"Fatal Error", "data file not found"}}));
    EXPECT_EQ(r.folder.names(), (std::set<std::string>{"decay.dat", "pgtemp.cfg"}));
    ASSERT_FALSE(r.pg.calls.empty());
    EXPECT_EQ(r.pg.calls.back().name, "clos");
}

// A function of 200 characters, 3z, whose first 142 characters (all that a line cut at 150 kept)
// are a different function that still reads: 2z + 0.1. Blanks inside a function do not count
// once it is read, so the text stays well within the evaluator's 200 characters.
std::string functionOf200Characters() {
    const std::string start = "2*z + 0.1", end = " + z - 0.1";
    return start + std::string(200 - start.size() - end.size(), ' ') + end;
}

// A folder whose path is long and holds blanks, as under a home folder or a long TMPDIR.
std::string longFolderWithBlanks(const ScratchFolder& scratch) {
    const auto folder = scratch.folder() / "a folder with blanks" / std::string(120, 'f') / "and more of it";
    std::filesystem::create_directories(folder);
    return folder.string();
}

// Points on y = 3x; the configuration, the data and the graph in a long folder with blanks.
struct LongSettings {
    ScratchFolder scratch;
    std::string folder = longFolderWithBlanks(scratch);
    std::string data = folder + "/points on a line.dat";
    std::string config = folder + "/graph settings.cfg";
    std::string graph = folder + "/the graph.ps";

    LongSettings() {
        std::ofstream(data, std::ios::binary) << crlfLines({"1 3", "2 6", "3 9", "4 12"});
        std::ofstream(config, std::ios::binary)
            << frontEndConfig({"-fn" + data, "-xm0\t5", "-ym0\t15", "-at1", "-eb0",
                               "-p11\t-1\t" + functionOf200Characters(), "-pn" + graph, "-!!"});
    }
};

TEST(LongSettings, WholePathsWithBlanksAndTheWholeFunction) {
    const LongSettings s;
    ASSERT_EQ(functionOf200Characters().size(), 200u);
    ASSERT_GT(s.config.size(), 150u);
    Recorder pg;
    MessageLog log;
    EXPECT_EQ(MAIN({"pgplot", "ps", s.config}, pg), 0) << ::testing::PrintToString(log.messages);
    EXPECT_TRUE(log.boxes().empty()) << ::testing::PrintToString(log.boxes());
    const auto lines = pg.named("line");
    ASSERT_EQ(lines.size(), 1u);
    const auto& numbers = lines[0].numbers;
    ASSERT_EQ(numbers.size(), 201u);
    for (std::size_t k = 0; k < 100; ++k) {
        EXPECT_NEAR(numbers[2 + 2 * k], 3.0f * numbers[1 + 2 * k], 1e-4f) << k;
    }
    EXPECT_NE(fileText(s.graph).find("%%BeginDocument"), std::string::npos);
}

// An output name that is a link, a pipe or a folder is refused before anything is drawn, and is
// left as it was.
TEST(OutputFile, WhatIsNotARegularFileIsRefused) {
    struct Case {
        const char* name;
        std::function<void(const std::string& output, const std::string& victim)> plant;
        std::function<bool(const std::string& output)> unchanged;
    };
    const Case cases[] = {
        {"link",
         [](const std::string& output, const std::string& victim) {
             std::filesystem::create_symlink(victim, output);
         },
         [](const std::string& output) { return std::filesystem::is_symlink(output); }},
        {"pipe", [](const std::string& output, const std::string&) { mkfifo(output.c_str(), 0600); },
         [](const std::string& output) { return std::filesystem::is_fifo(output); }},
        {"folder",
         [](const std::string& output, const std::string&) { std::filesystem::create_directory(output); },
         [](const std::string& output) { return std::filesystem::is_directory(output); }},
    };
    for (const Case& c : cases) {
        MainRun r;
        const std::string victim = r.folder.write("victim.txt", "keep me");
        const std::string output = r.folder.path("graph.ps");
        c.plant(output, victim);
        const std::string config = frontEndConfig(decayGraphThen(r.folder, {"-pn" + output, "-!!"}));
        auto before = r.folder.names();
        before.insert("pgtemp.cfg");
        EXPECT_EQ(r.run("ps", config), 1) << c.name;
        EXPECT_EQ(r.log.messages, (std::vector<Message>{{"Stop", "error opening PGPlot"}})) << c.name;
        EXPECT_TRUE(c.unchanged(output)) << c.name;
        EXPECT_EQ(fileText(victim), "keep me") << c.name;
        EXPECT_EQ(r.folder.names(), before) << c.name;
    }
}

// Links planted at the side names beside the output (the names an earlier version wrote through)
// are never written through: side files get new names of their own.
TEST(OutputFile, PlantedLinksBesideTheOutputAreLeftAlone) {
    MainRun r;
    const std::string victim = r.folder.write("victim.txt", "keep me");
    const std::string output = r.folder.path("graph.ps");
    for (const char* side : {".part", ".page.ps"}) {
        std::filesystem::create_symlink(victim, output + side);
    }
    EXPECT_EQ(r.run("ps", frontEndConfig(decayGraphThen(r.folder, {"-pn" + output, "-!!"}))), 0);
    EXPECT_EQ(fileText(victim), "keep me");
    EXPECT_NE(fileText(output).find("%%BeginDocument"), std::string::npos);
    EXPECT_EQ(r.folder.names(), (std::set<std::string>{"decay.dat", "graph.ps", "graph.ps.page.ps",
                                                       "graph.ps.part", "pgtemp.cfg", "victim.txt"}));
}

TEST(Printing, PortModeReportsByBox) {
    struct Case {
        std::string port;
        Message box;
    };
    const Message noPort{"No printer port",
                         "PGPlot attempted to send plot to printer, but no\nLPT printer port was specified.\n"
                         "Please correct configuration and try again."};
    for (const Case& c : {Case{"-lp0", noPort},
                          Case{"-lp4", {"Print failure", "PGPlot could not print the Postscript file"}}}) {
        if (std::filesystem::exists(portDevice(4))) {
            GTEST_SKIP() << "this machine has a fourth printer port";
        }
        MainRun r;
        const std::string config =
            frontEndConfig(decayGraphThen(r.folder, {"-pn" + r.folder.path("port.ps"), c.port, "-!!"}));
        EXPECT_EQ(r.run("pt", config), 0);
        EXPECT_EQ(r.log.boxes(), std::vector<Message>{c.box});
    }
}

TEST(Printing, CopiesTheFileToTheDevice) {
    ScratchFolder folder;
    const auto file = folder.write("graph.ps", std::string(100000, 'x'));
    const auto device = folder.write("device", "");
    EXPECT_TRUE(copyFileToPort(file, device));
    EXPECT_EQ(fileText(device).size(), 100000u);
    EXPECT_FALSE(copyFileToPort(file, folder.path("absent-device")));
    EXPECT_FALSE(std::filesystem::exists(folder.path("absent-device")));
    EXPECT_FALSE(copyFileToPort(folder.path("absent.ps"), device));
    EXPECT_EQ(portDevice(1), "/dev/lp0");
    EXPECT_EQ(portDevice(4), "/dev/lp3");
}

// Runs argv (argv[0] found on the PATH) with standard input and output on /dev/null, standard
// error into errors and TMPDIR set to tmpdir: as a list of arguments, never through a shell, so
// that no folder name can change what runs. Returns the exit status, -1 when it did not exit.
int runCommand(const std::vector<std::string>& argv, const std::string& errors, const std::string& tmpdir) {
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("TMPDIR", tmpdir.c_str(), 1);
        const int in = open("/dev/null", O_RDWR);
        const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || err < 0) {
            _exit(126);
        }
        dup2(in, STDIN_FILENO);
        dup2(in, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        std::vector<char*> args;
        for (const auto& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The program itself, run as the front end runs it, with the folder as its temporary folder.
struct ProgramRun {
    int status;
    std::string errors;
};

ProgramRun runProgram(const ScratchFolder& folder, const std::string& mode, const std::string& config) {
    const std::string errors = folder.path("stderr.txt");
    const int status = runCommand({PGPLOT_PROGRAM, mode, config}, errors, folder.folder().string());
    const std::string text = fileText(errors);
    std::filesystem::remove(errors);
    return {status, text};
}

std::vector<int> boxOf(const std::string& postScript, const std::string& comment) {
    std::smatch match;
    const std::regex pattern("%%" + comment + ": (-?\\d+) (-?\\d+) (-?\\d+) (-?\\d+)");
    if (!std::regex_search(postScript, match, pattern)) {
        return {};
    }
    return {std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3]), std::stoi(match[4])};
}

// What Ghostscript finds drawn on the page.
std::vector<int> drawnBox(const ScratchFolder& folder, const std::string& file) {
    const std::string out = folder.path("bbox.txt");
    const std::vector<std::string> gs = {"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=bbox",
                                         file};
    if (runCommand(gs, out, folder.folder().string()) != 0) {
        return {};
    }
    return boxOf(fileText(out), "BoundingBox");
}

struct EndToEndCase {
    const char* name;
    int orientation, size, axes, font;
    bool twoSections;
    std::vector<int> box;
};

void PrintTo(const EndToEndCase& c, std::ostream* os) {
    *os << c.name;
}

class EndToEnd : public ::testing::TestWithParam<EndToEndCase> {};

TEST_P(EndToEnd, WritesTheLetterPageWithTheGraphInItsPlace) {
    const auto& c = GetParam();
    ScratchFolder folder;
    std::vector<std::string> lines = {"-%%  configuration file for PGPlot",
                                      "-fn" + folder.fixture("decay.dat"),
                                      "-xm0\t7",
                                      "-mt0\t0",
                                      c.axes == 1 ? "-ym0\t100" : "-ym0\t0",
                                      "-eb1\t 1\t0",
                                      "-ey$",
                                      "-at" + std::to_string(c.axes),
                                      "-ptRadioactive decay of sample_1",
                                      "-xlTime (s)",
                                      "-ylCounts per second",
                                      "-ps17",
                                      "-ft2",
                                      "-ls1",
                                      "-p11\t3",
                                      "-a1100",
                                      "-a2-0.4",
                                      "-nt1",
                                      "-np0.6\t0.9",
                                      "-n1Sample 1 (fit: a1 e^-a2 t)",
                                      "-n2Sample 2",
                                      "-g117",
                                      "-g26",
                                      "-g30",
                                      "-g40",
                                      "-po" + std::to_string(c.orientation),
                                      "-pz" + std::to_string(c.size)};
    if (c.axes == 3) {
        lines[2] = "-xm0\t0";
    }
    if (c.twoSections) {
        for (const std::string& line : std::vector<std::string>{
                 "-%%  start of section for second data set", "-!s2", "-fn" + folder.fixture("growth.dat"),
                 "-ps6", "-eb3\t 1\t3", "-ey$", "-ex$", "-ls2", "-p10\t-1\ta1*z^a2", "-a13", "-a21.5"}) {
            lines.push_back(line);
        }
    }
    lines.push_back("-!!");
    const auto file = folder.write("pgtemp.cfg", crlfLines(lines));

    const auto run = runProgram(folder, "ps", file);
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("Stop: stopped in main, normal exit"), std::string::npos);
    EXPECT_EQ(run.errors.find("Warning"), std::string::npos) << run.errors;
    const auto ps = folder.path("pgtemp.ps");
    ASSERT_TRUE(std::filesystem::exists(ps));
    std::set<std::string> files = {"decay.dat", "pgtemp.cfg", "pgtemp.ps"};
    if (c.twoSections) {
        files.insert("growth.dat");
    }
    EXPECT_EQ(folder.names(), files); // no side file is left behind
    const auto text = fileText(ps);
    EXPECT_EQ(boxOf(text, "BoundingBox"), c.box);
    const auto drawn = drawnBox(folder, ps);
    ASSERT_EQ(drawn.size(), 4u);
    // Everything drawn lies inside the declared box, nothing is cut at its edge (a label pushed
    // off the graph's page would end exactly there), and it fills most of the box.
    EXPECT_GT(drawn[0], c.box[0] + 4);
    EXPECT_GT(drawn[1], c.box[1] + 4);
    EXPECT_LT(drawn[2], c.box[2] - 4);
    EXPECT_LT(drawn[3], c.box[3] - 4);
    EXPECT_GT(drawn[2] - drawn[0], (c.box[2] - c.box[0]) * 7 / 10);
    EXPECT_GT(drawn[3] - drawn[1], (c.box[3] - c.box[1]) * 7 / 10);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, EndToEnd,
    ::testing::Values(EndToEndCase{"PortraitSmallLinear", 1, 0, 1, 2, false, {25, 360, 587, 766}},
                      EndToEndCase{"PortraitLargeSemiLogTwoSections", 1, 1, 2, 1, true, {25, 216, 587, 778}},
                      EndToEndCase{"LandscapeSmallLogLog", 0, 0, 3, 3, false, {25, 18, 515, 666}},
                      EndToEndCase{"LandscapeLargeLinearTwoSections", 0, 1, 1, 4, true, {25, 18, 587, 774}}),
    CaseName{});

// The program as the front end starts it, with paths of any length holding blanks.
TEST(EndToEnd, LongPathsWithBlanks) {
    const LongSettings s;
    const auto run = runProgram(s.scratch, "ps", s.config);
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(run.errors.find("Warning"), std::string::npos) << run.errors;
    EXPECT_EQ(boxOf(fileText(s.graph), "BoundingBox"), (std::vector<int>{25, 18, 515, 666}));
}

TEST(EndToEndFailures, UnwritableOutputAndMissingConfiguration) {
    ScratchFolder folder;
    const auto config = folder.write(
        "bad.cfg", frontEndConfig(decayGraphThen(folder, {"-pn/nonexistent-folder/graph.ps", "-!!"})));
    auto run = runProgram(folder, "ps", config);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("Stop: error opening PGPlot"), std::string::npos) << run.errors;

    run = runProgram(folder, "ps", folder.path("absent.cfg"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("Stop: configuration file not found"), std::string::npos);

    const auto broken = folder.write("broken.cfg", "-fn" + folder.fixture("decay.dat") + "\r\n\r\n-!!\r\n");
    run = runProgram(folder, "ps", broken);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.errors.find("Fatal Error: error reading configuration file:  line doesn't begin with - sign"),
        std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.path("pgtemp.ps")));
}

} // namespace
} // namespace pgplot
