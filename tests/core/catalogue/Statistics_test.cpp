#include "catalogue/Statistics.h"

#include <gtest/gtest.h>

#include "support/Catalogue.h"

namespace declarium {
namespace {

TEST(StatisticsTest, CountsEachKind) {
  test::TestCatalogue cat;
  EXPECT_EQ(StatisticsText(cat.store()), "函数：0个\r\n数据类型：0个\r\n常量：0个");
  cat.Run("insert into 函数表 (名称) values ('A')");
  cat.Run("insert into 函数表 (名称) values ('B')");
  cat.Run("insert into 数据类型表 (名称) values ('RECT')");
  for (int i = 0; i < 12; ++i) cat.Run("insert into 常量表 (名称) values ('C" + std::to_string(i) + "')");
  EXPECT_EQ(StatisticsText(cat.store()), "函数：2个\r\n数据类型：1个\r\n常量：12个");
}

TEST(StatisticsTest, MissingTableCountsAsZero) {
  test::TestCatalogue cat;
  cat.Run("insert into 函数表 (名称) values ('A')");
  cat.Run("drop table 数据类型表");
  EXPECT_EQ(StatisticsText(cat.store()), "函数：1个\r\n数据类型：0个\r\n常量：0个");
}

}  // namespace
}  // namespace declarium
