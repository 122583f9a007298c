#include "catalogue/Statistics.h"

#include "store/CatalogueStore.h"
#include "text/TextPrimitives.h"

namespace declarium {

std::string StatisticsText(CatalogueStore& store) {
  const int functions = store.QueryInt("select count(1) from 函数表", 0);
  const int dataTypes = store.QueryInt("select count(1) from 数据类型表", 0);
  const int constants = store.QueryInt("select count(1) from 常量表", 0);
  return "函数：" + DecimalText(functions) + "个\r\n数据类型：" + DecimalText(dataTypes) +
         "个\r\n常量：" + DecimalText(constants) + "个";
}

}  // namespace declarium
