#include "connection_string.h"

#include <gtest/gtest.h>

using namespace velmor::store;

TEST(ConnectionString, ExactTextForAFolder) {
    EXPECT_EQ(buildConnectionString(QStringLiteral("/opt/velmor")).toStdString(),
              "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=zqtwn8461937; "
              "Data Source= /opt/velmor/zarqen.zq ;Persist Security Info=False");
}

TEST(ConnectionString, DriveRootIsFollowedDirectlyByTheFileName) {
    EXPECT_TRUE(buildConnectionString(QStringLiteral("C:\\"))
                    .contains(QStringLiteral("Data Source= C:\\/zarqen.zq ;")));
    EXPECT_TRUE(buildConnectionString(QStringLiteral("/"))
                    .contains(QStringLiteral("Data Source= //zarqen.zq ;")));
}

TEST(ConnectionString, ParsesPathWithoutBlanksAndPassword) {
    const auto target = parseConnectionString(buildConnectionString(QStringLiteral("/a b/c")));
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->filePath.toStdString(), "/a b/c/zarqen.zq");
    EXPECT_EQ(target->password.toStdString(), "zqtwn8461937");
}

TEST(ConnectionString, MissingPiecesGiveNothing) {
    EXPECT_FALSE(parseConnectionString(QStringLiteral("Provider=x;")).has_value());
    EXPECT_FALSE(
        parseConnectionString(QStringLiteral("Jet OLEDB:Database Password=p; Data Source=   ;"))
            .has_value());
}
