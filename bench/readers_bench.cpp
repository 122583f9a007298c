// Throughput of the E and VB declaration readers over 5 MB of declarations,
// against one memchr pass over the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "import/Readers.h"

namespace {

constexpr size_t kTextBytes = 5u << 20;

std::string Repeat(const std::string& unit, const std::string& head) {
  std::string t = head;
  while (t.size() < kTextBytes) t += unit;
  return t;
}

const std::string& EText() {
  static const std::string text = Repeat(
      ".DLL命令 MessageBoxA, 整数型, \"user32.dll\", \"MessageBoxA\", 公开, 弹出信息框\r\n"
      "    .参数 hWnd, 整数型, , 父窗口\r\n"
      "    .参数 lpText, 文本型, 传址, 内容\r\n"
      "    .参数 lpCaption, 文本型, , 标题\r\n"
      "    .参数 uType, 整数型, , 风格\r\n"
      "\r\n"
      ".数据类型 RECT, 公开, 矩形\r\n"
      "    .成员 left, 整数型, , , 左边\r\n"
      "    .成员 top, 整数型, , , 顶边\r\n"
      "    .成员 buf, 字节型, , \"16\", 缓冲\r\n"
      "\r\n"
      ".常量 WM_USER, \"1024\", 公开, 用户消息\r\n"
      ".常量 MAX_PATH, \"260\", , 路径长度\r\n"
      "\r\n",
      ".版本 2\r\n\r\n");
  return text;
}

const std::string& VbText() {
  static const std::string text = Repeat(
      "Declare Function MessageBox Lib \"user32\" Alias \"MessageBoxA\" (ByVal hwnd As Long, "
      "ByVal lpText As String, ByVal lpCaption As String, ByVal wType As Long) As Long\r\n"
      "Declare Function GetWindowRect Lib \"user32\" (ByVal hwnd As Long, lpRect As RECT) As Long\r\n"
      "Type OSVERSIONINFO\r\n"
      "        dwOSVersionInfoSize As Long\r\n"
      "        dwMajorVersion As Long\r\n"
      "        bytes(0 To 7) As Byte\r\n"
      "        szCSDVersion As String * 128      '  Maintenance string\r\n"
      "End Type\r\n"
      "\r\n"
      "Const WM_USER = &H400\r\n"
      "Const MAX_PATH As Long = 260 ' path length\r\n",
      "");
  return text;
}

void Bytes(benchmark::State& state, const std::string& t) {
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.size()));
}

void Baseline(benchmark::State& state, const std::string& t) {
  for (auto _ : state) {
    // A byte the text does not hold, so the pass runs over every byte.
    benchmark::DoNotOptimize(std::memchr(t.data(), '\x01', t.size()));
  }
  Bytes(state, t);
}

void BM_EMemchrBaseline(benchmark::State& state) { Baseline(state, EText()); }
void BM_VbMemchrBaseline(benchmark::State& state) { Baseline(state, VbText()); }

template <class Record, int (*Read)(std::string_view, declarium::RecordSink<Record>)>
void BM_Reader(benchmark::State& state, const std::string& t) {
  std::vector<Record> out;
  for (auto _ : state) benchmark::DoNotOptimize(Read(t, out));
  Bytes(state, t);
}

void BM_ReadEFunctions(benchmark::State& s) {
  BM_Reader<declarium::FunctionRecord, declarium::ReadEFunctions>(s, EText());
}
void BM_ReadEDataTypes(benchmark::State& s) {
  BM_Reader<declarium::DataTypeRecord, declarium::ReadEDataTypes>(s, EText());
}
void BM_ReadEConstants(benchmark::State& s) {
  BM_Reader<declarium::ConstantRecord, declarium::ReadEConstants>(s, EText());
}
void BM_ReadVbFunctions(benchmark::State& s) {
  BM_Reader<declarium::FunctionRecord, declarium::ReadVbFunctions>(s, VbText());
}
void BM_ReadVbDataTypes(benchmark::State& s) {
  BM_Reader<declarium::DataTypeRecord, declarium::ReadVbDataTypes>(s, VbText());
}
void BM_ReadVbConstants(benchmark::State& s) {
  BM_Reader<declarium::ConstantRecord, declarium::ReadVbConstants>(s, VbText());
}

BENCHMARK(BM_EMemchrBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadEFunctions)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadEDataTypes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadEConstants)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VbMemchrBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadVbFunctions)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadVbDataTypes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadVbConstants)->Unit(benchmark::kMicrosecond);

}  // namespace
