#include "connection_string.h"

#include <gtest/gtest.h>

using namespace velmor::store;

TEST(ConnectionString, ExactTextAndWhatIsReadBackFromIt) {
    EXPECT_EQ(buildConnectionString(QStringLiteral("/opt/velmor")).toStdString(),
              "Provider=Microsoft.Jet.OLEDB.4.0;Jet OLEDB:Database Password=zqtwn8461937; "
              "Data Source= /opt/velmor/zarqen.zq ;Persist Security Info=False");
    // A drive's root is followed directly by the file name.
    EXPECT_TRUE(buildConnectionString(QStringLiteral("C:\\"))
                    .contains(QStringLiteral("Data Source= C:\\/zarqen.zq ;")));
    const auto target = parseConnectionString(buildConnectionString(QStringLiteral("/a b/c")));
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->filePath, QStringLiteral("/a b/c/zarqen.zq"));
    EXPECT_EQ(target->password, QLatin1String(kDatabasePassword));
    EXPECT_FALSE(parseConnectionString(QStringLiteral("Provider=x;")).has_value());
    EXPECT_FALSE(
        parseConnectionString(QStringLiteral("Jet OLEDB:Database Password=p; Data Source=   ;"))
            .has_value());
}
