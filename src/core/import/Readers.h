// The declaration readers: forgiving keyword scanners that turn text in one
// syntax into records. They never fail; each empties its output list first
// and returns the number of records it read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/RecordSink.h"
#include "store/Records.h"

namespace declarium {

int ReadEFunctions(std::string_view text, RecordSink<FunctionRecord> functions);
int ReadEDataTypes(std::string_view text, RecordSink<DataTypeRecord> dataTypes);
int ReadEConstants(std::string_view text, RecordSink<ConstantRecord> constants);

int ReadCSharpFunctions(std::string_view text, RecordSink<FunctionRecord> functions);
int ReadCSharpDataTypes(std::string_view text, RecordSink<DataTypeRecord> dataTypes);
int ReadCSharpConstants(std::string_view text, RecordSink<ConstantRecord> constants);

// VB's line continuation: a line that ends in a blank and "_" (outside a
// string and a remark) goes on in the next, as VB reads it. Gives the text
// itself when no line is continued, else the joined text, kept in storage.
// Each VB reader joins first.
std::string_view JoinVbContinuations(std::string_view text, std::string& storage);

int ReadVbFunctions(std::string_view text, RecordSink<FunctionRecord> functions);
int ReadVbDataTypes(std::string_view text, RecordSink<DataTypeRecord> dataTypes);
int ReadVbConstants(std::string_view text, RecordSink<ConstantRecord> constants);
// The three VB readers in that order, over the text joined once.
void ReadVbDeclarations(std::string_view text, RecordSink<FunctionRecord> functions,
                        RecordSink<DataTypeRecord> dataTypes, RecordSink<ConstantRecord> constants);

struct ParsedDeclarations {
  std::vector<FunctionRecord> functions;
  std::vector<DataTypeRecord> dataTypes;
  std::vector<ConstantRecord> constants;
};

// Runs the three readers of the syntax over the same text (lines split at CR
// LF): all functions, then all data types, then all constants. An unknown
// syntax finds nothing.
void ReadDeclarations(std::string_view text, SyntaxKind syntax, RecordSink<FunctionRecord> functions,
                      RecordSink<DataTypeRecord> dataTypes, RecordSink<ConstantRecord> constants);
void ReadDeclarations(std::string_view text, SyntaxKind syntax, ParsedDeclarations& out);

// What a batched reading hands on, and how many records at a time.
struct DeclarationBatches {
  RecordSink<FunctionRecord>::HandOn functions;
  RecordSink<DataTypeRecord>::HandOn dataTypes;
  RecordSink<ConstantRecord>::HandOn constants;
};
inline constexpr std::size_t kReadBatch = 4096;

// The same reading, handed on in batches: what the handlers are given is the
// whole reading's lists cut into pieces, in order.
void ReadDeclarations(std::string_view text, SyntaxKind syntax, const DeclarationBatches& batches,
                      std::size_t batch = kReadBatch);

}  // namespace declarium
