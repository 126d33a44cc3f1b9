// The data and saves folders of a portable and an installed game, and data paths under them.
#include "platform/GameFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/Paths.h"

namespace {

namespace fs = std::filesystem;

TEST(GameFoldersTest, PortableWinsThenInstalledWithSavesInTheHomeFolder) {
  const fs::path root =
      fs::temp_directory_path() / ("vornakel-folders-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "portable" / "Data");
  std::ofstream(root / "portable" / "Data" / "data1.oil") << "x";
  fs::create_directories(root / "usr" / "games");
  fs::create_directories(root / "usr" / "share" / "games" / "vornakel" / "Data");
  std::ofstream(root / "usr" / "share" / "games" / "vornakel" / "Data" / "data1.oil") << "x";

  platform::GameFolders folders;
  std::string error;
  ASSERT_TRUE(platform::FindGameFolders({(root / "portable" / "vornakel").string(), "/x", "/h"},
                                        folders, error));
  EXPECT_EQ(folders.data, (root / "portable").string());
  EXPECT_EQ(folders.saves, folders.data);
  EXPECT_FALSE(folders.installed);

  const std::string installed = (root / "usr" / "games" / "vornakel").string();
  ASSERT_TRUE(platform::FindGameFolders({installed, "/xdg", "/home/p"}, folders, error));
  EXPECT_EQ(folders.data, (root / "usr" / "share" / "games" / "vornakel").string());
  EXPECT_EQ(folders.saves, "/xdg/vornakel");
  EXPECT_TRUE(folders.installed);
  // A relative XDG_DATA_HOME is invalid and ignored; without HOME either, there is no place.
  ASSERT_TRUE(platform::FindGameFolders({installed, "rel", "/home/p"}, folders, error));
  EXPECT_EQ(folders.saves, "/home/p/.local/share/vornakel");
  EXPECT_FALSE(platform::FindGameFolders({installed, "", ""}, folders, error));
  EXPECT_NE(error.find("HOME"), std::string::npos) << error;
  EXPECT_FALSE(
      platform::FindGameFolders({(root / "bin" / "vornakel").string(), "", "/h"}, folders, error));
  EXPECT_NE(error.find("data1.oil"), std::string::npos) << error;

  // The saves folder is made for the player alone; a file in its way is reported.
  const fs::path saves = root / "home" / ".local" / "share" / "vornakel";
  ASSERT_TRUE(platform::MakeSavesFolder(saves.string(), error)) << error;
  EXPECT_EQ(fs::status(saves).permissions() & fs::perms::all, fs::perms::owner_all);
  EXPECT_TRUE(platform::MakeSavesFolder(saves.string(), error)) << "an existing folder is fine";
  std::ofstream(root / "blocked") << "x";
  EXPECT_FALSE(platform::MakeSavesFolder((root / "blocked").string(), error));
  EXPECT_FALSE(error.empty());
  fs::remove_all(root);

  // Data paths go under the data folder; absolute paths and web addresses stay as they are.
  platform::SetDataFolder("/opt/game");
  EXPECT_EQ(platform::NativePath("Data\\data1.oil"), "/opt/game/Data/data1.oil");
  EXPECT_EQ(platform::NativePath("/tmp/a"), "/tmp/a");
  EXPECT_EQ(platform::NativePath("http://host/t"), "http://host/t");
  platform::SetDataFolder("");
  EXPECT_EQ(platform::NativePath("Data\\data1.oil"), "Data/data1.oil");
}

}  // namespace
