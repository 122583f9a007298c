#include "windows/InsertListPanel.h"

#include <QAbstractButton>
#include <string>

#include "output/Dependencies.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/Messages.h"

namespace declarium {

InsertListPanel::InsertListPanel(Window& window, CatalogueStore& store, const Settings& settings, ListBox* list,
                                 QAbstractButton* copyButton)
    : QObject(&window), window_(window), store_(store), settings_(settings), list_(list) {
  connect(list_, &ListBox::selectionChanged, this, [this](int) { ChooseSelected(); });
  connect(copyButton, &QAbstractButton::clicked, this, [this] { CopyAll(); });
}

void InsertListPanel::Add(const QString& text, int id, BrowseMode kind) {
  const InsertAdd added = entries_.Add(ToGbk(text), id, kind);
  if (added.added) {
    list_->AddRow(text, id);
  } else if (added.index >= 0) {
    list_->SetSelection(added.index);
  }
}

void InsertListPanel::RemoveSelected() {
  const int row = list_->Selection();
  if (row < 0) return;
  entries_.Remove(row);
  list_->DeleteRow(row);
}

void InsertListPanel::RemoveAll() {
  entries_.Clear();
  list_->Reset();
}

void InsertListPanel::CopyAll(bool withDependencies) {
  if (entries_.size() == 0) return;
  std::string text;
  const CopyResult result =
      withDependencies
          ? DeclarationsWithDependencies(store_, entries_.ToCopy(), settings_.language, settings_.style, text)
          : InsertListDeclarations(store_, entries_.ToCopy(), settings_.language, settings_.style, text);
  DeliverCopy(window_, result, text);
}

void InsertListPanel::ChooseSelected() {
  list_->setFocus();
  const int row = list_->Selection();
  if (row < 0) return;
  const int id = static_cast<int>(list_->RowData(row));
  if (id == 0) return;
  const std::string text = ToGbk(list_->RowText(row));
  const std::optional<BrowseMode> kind = entries_.KindOfText(text);
  if (kind && entryChosen) entryChosen({text, id, *kind});
}

}  // namespace declarium
