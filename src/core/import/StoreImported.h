// Storing what the readers found, in one transaction.
#pragma once

#include <functional>
#include <memory>
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
// transaction is rolled back and the storing fails with the summary built so
// far as the message.
using BetweenRecords = std::function<bool()>;

// One storing run in one transaction, given its records in as many lists as
// the reading hands on. Every function (with parameters), data type (with
// members) and constant whose name is not yet in its table, nor earlier in
// the run, is inserted. Nothing is stored unless Commit succeeds: a failure,
// giving up or a session that ends without Commit (an exception on its way
// out, say) rolls everything back.
class ImportSession {
 public:
  explicit ImportSession(CatalogueStore& store, BetweenRecords betweenRecords = {});
  ~ImportSession();
  ImportSession(const ImportSession&) = delete;
  ImportSession& operator=(const ImportSession&) = delete;

  // False once the run has failed or been given up; later lists are ignored.
  bool Add(const std::vector<FunctionRecord>& functions);
  bool Add(const std::vector<DataTypeRecord>& dataTypes);
  bool Add(const std::vector<ConstantRecord>& constants);
  // True with the summary "成功添加\r\n函数：F个\r\n数据类型：T个\r\n常量：C个"
  // (a count followed by "（N 个同名已存在，未添加）" where names were skipped);
  // false with the store's error text (or the summary so far, when given up)
  // and nothing stored.
  bool Commit();
  const std::string& Message() const;

 private:
  struct Run;
  std::unique_ptr<Run> run_;
};

// A session over three whole lists.
bool StoreImported(CatalogueStore& store, const std::vector<FunctionRecord>& functions,
                   const std::vector<DataTypeRecord>& dataTypes, const std::vector<ConstantRecord>& constants,
                   std::string& message, const BetweenRecords& betweenRecords = {});

}  // namespace declarium
