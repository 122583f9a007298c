// Storing what the readers found, in one transaction.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Records.h"

namespace declarium {

class CatalogueStore;

// True when a row of table has exactly this 名称.
bool NameExists(CatalogueStore& store, std::string_view table, std::string_view name);

// Called before every record (function, parameter, data type, member,
// constant). It lets pending input through; returning false gives up: the
// transaction is rolled back and StoreImported returns false with the
// summary built so far as the message.
using BetweenRecords = std::function<bool()>;

// Inserts every function (with parameters), data type (with members) and
// constant whose name is not yet in its table. True with the summary
// "成功添加\r\n函数：F个\r\n数据类型：T个\r\n常量：C个"; false with the store's
// error text (or the summary so far, when given up) and nothing stored.
bool StoreImported(CatalogueStore& store, const std::vector<FunctionRecord>& functions,
                   const std::vector<DataTypeRecord>& dataTypes,
                   const std::vector<ConstantRecord>& constants, std::string& message,
                   const BetweenRecords& betweenRecords = {});

}  // namespace declarium
