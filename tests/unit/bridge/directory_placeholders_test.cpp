#include "bridge/directory_placeholders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(DirectoryPlaceholders, RowsInTableOrderAndRecordingKeepsEarlierFoldersForUnresolvedRows) {
  const auto table =
      ResolveDirectoryPlaceholders("C:\\App\\", "www\\", "C:\\Local\\demo", [](KnownFolder folder) {
        return folder == KnownFolder::Screenshots ? std::string()
                                                  : "K" + std::to_string(static_cast<int>(folder));
      });
  std::vector<std::string> rows;
  for (const auto& row : table) rows.push_back(std::string(row.name) + "=" + row.folder);
  EXPECT_THAT(rows,
              ::testing::ElementsAre("<app>=C:\\App\\", "<web-resource>=C:\\App\\www\\",
                                     "<current-app-data>=C:\\Local\\demo", "<local-app-data>=K0",
                                     "<roaming-app-data>=K1", "<desktop>=K2", "<documents>=K3",
                                     "<downloads>=K4", "<pictures>=K5", "<profile>=K6",
                                     "<saved-games>=K7", "<screenshots>=", "<videos>=K9"));

  std::map<std::string, std::string> handles;
  EXPECT_TRUE(RecordDirectoryHandle(handles, "<documents>", "D:\\Docs"));
  EXPECT_TRUE(RecordDirectoryHandle(handles, "<videos>", "D:\\Videos"));
  EXPECT_FALSE(RecordDirectoryHandle(handles, "<screenshots>", ""));
  // A later walk: Documents moved, Videos can no longer be resolved.
  EXPECT_TRUE(RecordDirectoryHandle(handles, "<documents>", "E:\\Docs"));
  EXPECT_FALSE(RecordDirectoryHandle(handles, "<videos>", ""));
  EXPECT_EQ(handles, (std::map<std::string, std::string>{{"<documents>", "E:\\Docs"},
                                                         {"<videos>", "D:\\Videos"}}));
}

}  // namespace
}  // namespace corvane
