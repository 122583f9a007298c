// The declaration readers: forgiving keyword scanners that turn text in one
// syntax into records. They never fail; each empties its output list first
// and returns the number of records it read.
#pragma once

#include <string_view>
#include <vector>

#include "store/Records.h"

namespace declarium {

int ReadEFunctions(std::string_view text, std::vector<FunctionRecord>& functions);
int ReadEDataTypes(std::string_view text, std::vector<DataTypeRecord>& dataTypes);
int ReadEConstants(std::string_view text, std::vector<ConstantRecord>& constants);

int ReadCSharpFunctions(std::string_view text, std::vector<FunctionRecord>& functions);
int ReadCSharpDataTypes(std::string_view text, std::vector<DataTypeRecord>& dataTypes);
int ReadCSharpConstants(std::string_view text, std::vector<ConstantRecord>& constants);

int ReadVbFunctions(std::string_view text, std::vector<FunctionRecord>& functions);
int ReadVbDataTypes(std::string_view text, std::vector<DataTypeRecord>& dataTypes);
int ReadVbConstants(std::string_view text, std::vector<ConstantRecord>& constants);

struct ParsedDeclarations {
  std::vector<FunctionRecord> functions;
  std::vector<DataTypeRecord> dataTypes;
  std::vector<ConstantRecord> constants;
};

// Runs the three readers of the syntax over the same text (lines split at CR
// LF), replacing the three lists. An unknown syntax empties them.
void ReadDeclarations(std::string_view text, SyntaxKind syntax, std::vector<FunctionRecord>& functions,
                      std::vector<DataTypeRecord>& dataTypes, std::vector<ConstantRecord>& constants);
void ReadDeclarations(std::string_view text, SyntaxKind syntax, ParsedDeclarations& out);

}  // namespace declarium
