#include <common/whole_file.h>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class Folder {
  public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "whole-file-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~Folder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    std::string path(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    std::set<std::string> names() const {
        std::set<std::string> result;
        for (const auto& entry : fs::directory_iterator(path_))
            result.insert(entry.path().filename().string());
        return result;
    }

  private:
    fs::path path_;
};

std::string text(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

TEST(WholeFile, WritesANewFileAndReplacesAnOldOneLeavingNothingElse) {
    Folder folder;
    const std::string file = folder.path("graph.ps");
    ASSERT_TRUE(common::writeWholeFile(file, "first"));
    EXPECT_EQ(text(file), "first");
    ASSERT_TRUE(common::writeWholeFile(file, std::string(300000, 'x')));
    EXPECT_EQ(text(file).size(), 300000u);
    EXPECT_EQ(folder.names(), (std::set<std::string>{"graph.ps"}));
}

// A name that is a link, a folder or a pipe is never written through or replaced.
TEST(WholeFile, RefusesWhatIsNotARegularFile) {
    Folder folder;
    const std::string victim = folder.write("victim.txt", "keep me");
    const std::string link = folder.path("link.ps");
    fs::create_symlink(victim, link);
    const std::string pipe = folder.path("pipe.ps");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    fs::create_directory(folder.path("folder.ps"));

    for (const std::string& name : {link, pipe, folder.path("folder.ps"), folder.path("folder.ps/")}) {
        EXPECT_FALSE(common::isReplaceable(name)) << name;
        EXPECT_FALSE(common::writeWholeFile(name, "graph")) << name;
    }
    EXPECT_EQ(text(victim), "keep me");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(folder.names(), (std::set<std::string>{"victim.txt", "link.ps", "pipe.ps", "folder.ps"}));
    EXPECT_TRUE(common::isReplaceable(victim));
    EXPECT_TRUE(common::isReplaceable(folder.path("absent.ps")));
}

TEST(WholeFile, FailsWithoutAFolderToWriteIn) {
    Folder folder;
    EXPECT_FALSE(common::writeWholeFile(folder.path("absent/graph.ps"), "graph"));
    EXPECT_FALSE(common::writeWholeFile("", "graph"));
    EXPECT_TRUE(folder.names().empty());
}

TEST(UniqueFile, NewEmptyFilesWithDistinctNamesAndTheUsualMode) {
    Folder folder;
    const mode_t mask = umask(022);
    std::set<std::string> paths;
    for (int i = 0; i < 20; ++i) {
        const auto created = common::createUniqueFile(folder.path("out.ps."), ".page.ps");
        ASSERT_TRUE(created.has_value());
        close(created->fd);
        paths.insert(created->path);
        EXPECT_EQ(created->path.rfind(folder.path("out.ps."), 0), 0u);
        EXPECT_TRUE(created->path.ends_with(".page.ps"));
        EXPECT_EQ(created->path.size(), folder.path("out.ps.").size() + 6 + 8);
        EXPECT_EQ(fs::file_size(created->path), 0u);
        struct stat info {};
        ASSERT_EQ(stat(created->path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0644u);
    }
    umask(mask);
    EXPECT_EQ(paths.size(), 20u);
    EXPECT_FALSE(common::createUniqueFile(folder.path("absent/out."), ".ps").has_value());
}

} // namespace
