#include "catalogue/Statistics.h"

#include "store/CatalogueStore.h"
#include "text/TextPrimitives.h"

namespace declarium {

bool StatisticsText(CatalogueStore& store, std::string& text) {
  int functions = 0, dataTypes = 0, constants = 0;
  if (!store.TryQueryInt("select count(1) from 函数表", functions) ||
      !store.TryQueryInt("select count(1) from 数据类型表", dataTypes) ||
      !store.TryQueryInt("select count(1) from 常量表", constants)) {
    return false;
  }
  text = "函数：" + DecimalText(functions) + "个\r\n数据类型：" + DecimalText(dataTypes) + "个\r\n常量：" +
         DecimalText(constants) + "个";
  return true;
}

bool HoldsNoEntries(CatalogueStore& store) {
  int any = 1;
  return store.TryQueryInt(
             "select exists(select 1 from 函数表) or exists(select 1 from 数据类型表) or exists(select 1 from 常量表)",
             any) &&
         any == 0;
}

}  // namespace declarium
