#include "output/Dependencies.h"

#include <map>
#include <set>
#include <string_view>
#include <utility>

#include "output/Declarations.h"
#include "output/TypeNames.h"
#include "store/CatalogueStore.h"
#include "store/Loaders.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

// An entry or a data type met on the way, with the names of the types it uses.
struct Node {
  EntryKind kind = EntryKind::DataTypes;
  FunctionRecord function;
  DataTypeRecord dataType;
  ConstantRecord constant;
  std::vector<std::string> uses;
};

class DependencyWalk {
 public:
  DependencyWalk(CatalogueStore& store, SyntaxKind target, const DeclarationStyle& style)
      : store_(store), target_(target), style_(style) {}

  bool AddEntry(const CopyEntry& e) {
    Node node;
    node.kind = e.kind;
    switch (node.kind) {
      case EntryKind::Functions:
        if (!LoadFunction(store_, e.id, node.function)) return false;
        NoteUse(node.function.returnType, node.function.syntax, node.uses);
        for (const ParameterRecord& p : node.function.parameters) NoteUse(p.type, node.function.syntax, node.uses);
        break;
      case EntryKind::DataTypes: {
        if (!LoadDataType(store_, e.id, node.dataType)) return false;
        // Known by its own name, so that a use of it (its own pointer member,
        // or another entry's) finds it without a lookup.
        std::string own = MapTypeName(node.dataType.name, node.dataType.syntax, target_);
        met_.insert(own);
        idOfName_[std::move(own)] = node.dataType.id;
        NoteMemberUses(node.dataType, node.uses);
        types_[node.dataType.id] = node;
        break;
      }
      case EntryKind::Constants:
        if (!LoadConstant(store_, e.id, node.constant)) return false;
        break;
      default: return false;
    }
    entries_.push_back(std::move(node));
    return true;
  }

  // Finds the used data types, a level of the walk at a time, so that each
  // level's members are read in one pass over the member table.
  bool FindDataTypes() {
    while (!pending_.empty()) {
      std::vector<int> newIds;
      for (std::string& name : std::exchange(pending_, {})) {
        int id = 0;
        if (!FindDataTypeId(name, id)) return false;
        if (id == 0) {
          missing_.push_back(std::move(name));
          continue;
        }
        if (types_.try_emplace(id).second) newIds.push_back(id);
        idOfName_[std::move(name)] = id;
      }
      if (!newIds.empty() && !LoadLevel(newIds)) return false;
    }
    return true;
  }

  std::string Text() {
    std::string out = target_ == SyntaxKind::E ? EHeader() : std::string();
    for (Node& entry : entries_) {
      const int ownId = entry.kind == EntryKind::DataTypes ? entry.dataType.id : 0;
      if (ownId != 0 && written_.count(ownId) != 0) continue;
      WriteUsedTypes(entry.uses, ownId, out);
      Write(entry, out);
      if (ownId != 0) written_.insert(ownId);
    }
    const char* comment = target_ == SyntaxKind::CSharp ? "// 未找到：" : "' 未找到：";
    for (const std::string& name : missing_) out += comment + name + "\r\n";
    return out;
  }

 private:
  void NoteUse(std::string_view type, SyntaxKind syntax, std::vector<std::string>& uses) {
    std::string name = TrimSpaces(type);
    // An array's element type is the dependency ("RECT[]" from older C# imports).
    while (name.size() > 2 && std::string_view(name).substr(name.size() - 2) == "[]") name.resize(name.size() - 2);
    if (name.empty() || IsBasicTypeName(name, syntax)) return;
    name = MapTypeName(name, syntax, target_);
    if (IsBasicTypeName(name, target_)) return;
    uses.push_back(name);
    if (met_.insert(name).second) pending_.push_back(std::move(name));
  }

  void NoteMemberUses(const DataTypeRecord& d, std::vector<std::string>& uses) {
    for (const ParameterRecord& m : d.members) NoteUse(m.type, d.syntax, uses);
  }

  bool FindDataTypeId(const std::string& name, int& id) { return FindDataTypeByName(store_, name, id); }


  bool LoadLevel(const std::vector<int>& ids) {
    std::string list;
    for (int id : ids) {
      if (!list.empty()) list += ',';
      list += std::to_string(id);
    }
    ChildRows members;
    if (!LoadMembersOf(store_, list, members)) return false;
    for (int id : ids) {
      Node& node = types_[id];
      if (!LoadDataTypeRow(store_, id, node.dataType)) return false;
      node.dataType.members = std::move(members[id]);
      NoteMemberUses(node.dataType, node.uses);
    }
    return true;
  }

  // Depth first, each type after the types it uses; a type the walk is
  // inside of (a structure reaching itself through a pointer) ends the walk.
  void WriteUsedTypes(const std::vector<std::string>& uses, int ownId, std::string& out) {
    struct Frame {
      const std::vector<std::string>* uses;
      size_t next;
      int id;
    };
    std::set<int> inside;
    if (ownId != 0) inside.insert(ownId);
    std::vector<Frame> stack{{&uses, 0, 0}};
    while (!stack.empty()) {
      Frame& f = stack.back();
      if (f.next < f.uses->size()) {
        const auto found = idOfName_.find((*f.uses)[f.next++]);
        if (found == idOfName_.end()) continue;
        const int id = found->second;
        if (written_.count(id) != 0 || !inside.insert(id).second) continue;
        stack.push_back({&types_[id].uses, 0, id});
        continue;
      }
      if (f.id != 0) {
        Write(types_[f.id], out);
        written_.insert(f.id);
        inside.erase(f.id);
      }
      stack.pop_back();
    }
  }

  // With 插入中文名 the E syntax declares a copied type by its 中文名, so
  // every use of it is written with that name too.
  void UseWrittenNames(Node& node) {
    if (target_ != SyntaxKind::E || !style_.insertChineseNames) return;
    auto rename = [this](std::string& type, SyntaxKind syntax) {
      const auto found = idOfName_.find(MapTypeName(TrimSpaces(type), syntax, target_));
      if (found == idOfName_.end()) return;
      const DataTypeRecord& used = types_[found->second].dataType;
      if (!used.chineseName.empty()) type = used.chineseName;
    };
    if (node.kind == EntryKind::Functions) {
      rename(node.function.returnType, node.function.syntax);
      for (ParameterRecord& p : node.function.parameters) rename(p.type, node.function.syntax);
    } else if (node.kind == EntryKind::DataTypes) {
      for (ParameterRecord& m : node.dataType.members) rename(m.type, node.dataType.syntax);
    }
  }

  void Write(Node& node, std::string& out) {
    UseWrittenNames(node);
    switch (node.kind) {
      case EntryKind::Functions: out += DeclareFunction(target_, node.function, style_); break;
      case EntryKind::DataTypes: out += DeclareDataType(target_, node.dataType, style_, layoutTypes_.Lookup()); break;
      default: out += DeclareConstant(target_, node.constant, style_); break;
    }
    out += "\r\n";
  }

  CatalogueStore& store_;
  SyntaxKind target_;
  const DeclarationStyle& style_;
  std::vector<Node> entries_;
  std::map<int, Node> types_;            // data types met, by id
  std::map<std::string, int> idOfName_;  // a used name and the data type it found
  std::set<std::string> met_;            // names looked up or about to be
  std::vector<std::string> pending_;     // names of the next level
  std::vector<std::string> missing_;     // in the order they were met
  std::set<int> written_;
  DataTypeCache layoutTypes_{&store_};  // the nested types a VB Type's padding is worked out from
};

}  // namespace

CopyResult DeclarationsWithDependencies(CatalogueStore& store, const std::vector<CopyEntry>& entries, SyntaxKind target,
                                        const DeclarationStyle& style, std::string& text) {
  if (!IsKnownSyntax(target)) return CopyResult::Nothing;
  DependencyWalk walk(store, target, style);
  bool any = false;
  for (const CopyEntry& e : entries) {
    if (e.id == 0) continue;
    if (!walk.AddEntry(e)) return CopyResult::Failed;
    any = true;
  }
  if (!any) return CopyResult::Nothing;
  if (!walk.FindDataTypes()) return CopyResult::Failed;
  text = walk.Text();
  return CopyResult::Copied;
}

}  // namespace declarium
