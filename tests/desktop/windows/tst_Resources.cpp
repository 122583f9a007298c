// The program's resources: every window template builds with its controls,
// and the main window's menus, accelerators, toolbar and pictures.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "model/Commands.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"

using namespace declarium;
using namespace declarium::command;

namespace {

bool KindMatches(QWidget* w, ControlKind kind, unsigned style) {
  switch (kind) {
    case ControlKind::ListBox: return qobject_cast<ListBox*>(w);
    case ControlKind::Edit:
      return (style & kMultiLine) ? qobject_cast<MultiLineEdit*>(w) != nullptr : qobject_cast<EditBox*>(w) != nullptr;
    case ControlKind::Button: return qobject_cast<QPushButton*>(w);
    case ControlKind::CheckBox: return qobject_cast<QCheckBox*>(w);
    case ControlKind::RadioButton: return qobject_cast<QRadioButton*>(w);
    case ControlKind::GroupBox: return qobject_cast<QGroupBox*>(w);
    case ControlKind::Static: return qobject_cast<QLabel*>(w);
    case ControlKind::ComboBox: return qobject_cast<DropDownList*>(w);
    case ControlKind::TreeView: return qobject_cast<TreeView*>(w);
    case ControlKind::ReportView: return qobject_cast<ReportView*>(w);
    case ControlKind::ToolBar: return qobject_cast<ToolBar*>(w);
    case ControlKind::StatusBar: return qobject_cast<StatusBar*>(w);
    case ControlKind::ProgressBar: return qobject_cast<QProgressBar*>(w);
    case ControlKind::HotkeyEdit: return qobject_cast<HotkeyEdit*>(w);
    case ControlKind::TabControl: return qobject_cast<TabControl*>(w);
    case ControlKind::Browser: return qobject_cast<BrowserHost*>(w);
  }
  return false;
}

}  // namespace

class ResourcesTest : public QObject {
  Q_OBJECT
 private slots:
  void everyTemplateBuildsWithItsControls();
  void mainWindowHasTheNamedControls();
  void mainMenuDeliversCommandIds();
  void contextMenusHaveSixPopups();
  void acceleratorsDispatch();
  void toolbarAndPictures();
};

void ResourcesTest::everyTemplateBuildsWithItsControls() {
  for (const WindowTemplate* tmpl : AllWindowTemplates()) {
    std::unique_ptr<Window> w = Window::Build(*tmpl);
    QCOMPARE(w->TemplateId(), tmpl->id);
    QCOMPARE(w->Caption(), QString::fromUtf16(tmpl->title));
    const DialogBaseUnits base = w->BaseUnits();
    QVERIFY(base.x > 0 && base.y > 0);
    QCOMPARE(w->ClientRect().size(), DialogUnitsToPixels(QRect(0, 0, tmpl->width, tmpl->height), base).size());
    for (const ControlTemplate& c : tmpl->controls) {
      if (c.id < 0) continue;
      QWidget* item = w->Item(c.id);
      QVERIFY2(item, qPrintable(QStringLiteral("template %1 control %2").arg(tmpl->id).arg(c.id)));
      QCOMPARE(ControlIdOf(item), c.id);
      QVERIFY2(KindMatches(item, c.kind, c.style), qPrintable(QString::number(c.id)));
      const QRect expected = DialogUnitsToPixels(QRect(c.x, c.y, c.width, c.height), base);
      QCOMPARE(item->pos(), expected.topLeft());
      if (c.kind != ControlKind::ComboBox) QCOMPARE(item->size(), expected.size());
      QCOMPARE(item->isHidden(), (c.style & kHidden) != 0);
      if (c.caption && c.kind != ControlKind::Edit) QCOMPARE(w->ItemText(c.id), QString::fromUtf16(c.caption));
    }
  }
}

void ResourcesTest::mainWindowHasTheNamedControls() {
  using namespace main_control;
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  QCOMPARE(w->ClassName(), QStringLiteral("mornel-API"));
  QCOMPARE(w->TemplateId(), resource::kMainWindow);
  for (int id = kFunctionList; id <= kConstantList; ++id) QVERIFY2(w->Item(id), qPrintable(QString::number(id)));
  QVERIFY(w->listBox(kFunctionList) && w->listBox(kDataTypeList) && w->listBox(kInsertList));
  QVERIFY(w->treeView(kCategoryTree));
  QVERIFY(w->editBox(kSearchBox));
  QVERIFY(w->toolBar(kToolbar));
  QVERIFY(w->statusBar(kStatusBar));
  QVERIFY(w->browser(kDetailBrowser));
  QVERIFY(w->multiLineEdit(kEntryTextBox));
  QVERIFY(w->dropDownList(kLanguageBox));
  QVERIFY(w->reportView(kConstantList));
  QCOMPARE(w->ItemText(kCopyButton), QStringLiteral("复制(&C)"));
  QVERIFY(w->Item(kConstantList)->isHidden() && w->Item(kCategoryTree)->isHidden() &&
          w->Item(kDataTypeList)->isHidden());
  QVERIFY(w->Menu());
}

void ResourcesTest::mainMenuDeliversCommandIds() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  std::vector<int> got;
  w->SetCommandHandler([&](int id) { got.push_back(id); });
  MenuResource* menu = w->Menu();
  QCOMPARE(menu->PopupCount(), 6);
  QCOMPARE(menu->Popup(3)->title(), QStringLiteral("选项(&O)"));
  const int ids[] = {kBrowseFunctions,
                     kBrowseCategories,
                     kBrowseDataTypes,
                     kBrowseConstants,
                     kAdvancedFind,
                     kAddToList,
                     kCopySelected,
                     kCopyWithDependencies,
                     kNewEntries,
                     kExport,
                     kStatistics,
                     kInsertChineseNames,
                     kInsertRemarks,
                     kAffixes,
                     kPublic,
                     kCSharp64,
                     kVba7,
                     kSettings,
                     kConversion,
                     kHelpTopics,
                     kOfficialSite,
                     kOfficialForum,
                     kContactMaker,
                     kAbout};
  for (int id : ids) {
    QAction* action = menu->Action(id);
    QVERIFY2(action, qPrintable(QString::number(id)));
    action->trigger();
  }
  QCOMPARE(got, std::vector<int>(std::begin(ids), std::end(ids)));
  QCOMPARE(menu->Action(kBrowseFunctions)->text(), QStringLiteral("函数(&F)\tF1"));
  QCOMPARE(menu->Action(kAdvancedFind)->text(), QStringLiteral("高级查找(&G)\tCtrl+F"));
  // The web-site submenu sits inside the help popup; help is at the right end.
  QCOMPARE(menu->Popup(5)->title(), QStringLiteral("帮助(&H)"));
  QVERIFY(menu->Action(kOfficialSite)->associatedObjects().size() >= 1);
  QVERIFY(w->MenuBar()->cornerWidget(Qt::TopRightCorner));
  QCOMPARE(w->MenuBar()->actions().size(), 5);
}

void ResourcesTest::contextMenusHaveSixPopups() {
  std::vector<int> got;
  std::unique_ptr<MenuResource> menus = MenuResource::Load(ContextMenus(), [&](int id) { got.push_back(id); });
  QVERIFY(menus);
  QCOMPARE(menus->PopupCount(), 6);
  const QString titles[] = {QStringLiteral("右键函数分类"), QStringLiteral("右键待插入"), QStringLiteral("右键函数"),
                            QStringLiteral("右键数据类型"), QStringLiteral("右键常量"),   QStringLiteral("托盘菜单")};
  const int itemCounts[] = {10, 4, 5, 5, 4, 7};
  for (int i = 0; i < 6; ++i) {
    QCOMPARE(menus->Popup(i)->title(), titles[i]);
    int items = 0;
    for (QAction* a : menus->Popup(i)->actions())
      if (!a->isSeparator()) ++items;
    QCOMPARE(items, itemCounts[i]);
  }
  const int ids[] = {kTreeAddToList,
                     kTreeCopy,
                     kTreeExpandAll,
                     kTreeCollapseAll,
                     kTreeNewCategory,
                     kTreeRenameCategory,
                     kTreeDeleteCategory,
                     kTreeAddFunctions,
                     kTreeRemoveFunction,
                     kTreeCopyWithDependencies,
                     kInsertCopyWithDependencies,
                     kFunctionCopyWithDependencies,
                     kDataTypeCopyWithDependencies,
                     kInsertCopy,
                     kInsertRemove,
                     kInsertRemoveAll,
                     kFunctionAddToList,
                     kFunctionCopy,
                     kFunctionFileInto,
                     kFunctionDelete,
                     kDataTypeAddToList,
                     kDataTypeCopy,
                     kDataTypeLayout,
                     kDataTypeDelete,
                     kConstantAddToList,
                     kConstantCopy,
                     kConstantEdit,
                     kConstantDelete,
                     kTrayToggle,
                     kTrayFunctions,
                     kTrayCategories,
                     kTrayDataTypes,
                     kTrayConstants,
                     kTraySettings,
                     kTrayExit};
  for (int id : ids) QVERIFY2(menus->Trigger(id), qPrintable(QString::number(id)));
  QCOMPARE(got, std::vector<int>(std::begin(ids), std::end(ids)));
}

void ResourcesTest::acceleratorsDispatch() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  std::vector<int> got;
  w->SetCommandHandler([&](int id) { got.push_back(id); });
  QVERIFY(w->InstallAccelerators(MainAccelerators()));
  w->show();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  QWidget* search = w->Item(main_control::kSearchBox);
  search->setFocus();
  for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F8})
    QTest::keyClick(search, key);
  QTest::keyClick(search, Qt::Key_F, Qt::ControlModifier);
  QTest::keyClick(search, Qt::Key_F8, Qt::ShiftModifier);
  QCOMPARE(got, (std::vector<int>{kBrowseFunctions, kBrowseCategories, kBrowseDataTypes, kBrowseConstants, kAddToList,
                                  kCopySelected, kAdvancedFind, kCopyWithDependencies}));
}

void ResourcesTest::toolbarAndPictures() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  ToolBar* bar = w->toolBar(main_control::kToolbar);
  bar->SetPictureList(BuildPictureList(PictureSet::Toolbar));
  bar->AddButtons(MainToolbar());
  QCOMPARE(bar->ButtonCount(), 11);
  int separators = 0;
  for (QAction* a : bar->actions())
    if (a->isSeparator()) ++separators;
  QCOMPARE(separators, 4);
  const int commands[] = {kBrowseFunctions, kBrowseCategories, kBrowseDataTypes, kBrowseConstants, kAddToList,
                          kCopySelected,    kAdvancedFind,     kHelpTopics,      kAbout,           kExit,
                          kSettings};
  for (int i = 0; i < 11; ++i) QCOMPARE(bar->CommandOf(i), commands[i]);
  QCOMPARE(bar->TooltipOf(0), QStringLiteral("浏览API函数[F1]"));
  QCOMPARE(bar->TooltipOf(6), QStringLiteral("打开高级查找窗口[Ctrl + F]"));
  QCOMPARE(bar->TooltipOf(10), QStringLiteral("设置"));
  // The four view buttons form one check group.
  QVERIFY(bar->IsPressed(0));
  bar->SetPressed(3, true);
  QVERIFY(bar->IsPressed(3) && !bar->IsPressed(0));
  QCOMPARE(BuildPictureList(PictureSet::Tree).Count(), 2);
  QCOMPARE(BuildPictureList(PictureSet::Status).Count(), 2);
  // Every picture comes from a compiled-in image, not from a font's glyph.
  const auto drawn = [](const QIcon& icon, int size) {
    const QImage image = icon.pixmap(size, size).toImage();
    if (image.width() != size) return false;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        if (qAlpha(image.pixel(x, y)) > 0) return true;
    return false;
  };
  for (PictureSet set : {PictureSet::Tree, PictureSet::Toolbar, PictureSet::Status}) {
    const PictureList pictures = BuildPictureList(set);
    for (int i = 0; i < pictures.Count(); ++i) QVERIFY2(drawn(pictures.Icon(i), 16), qPrintable(QString::number(i)));
  }
  QVERIFY(drawn(ApplicationIcon(), 32));
}

QTEST_MAIN(ResourcesTest)
#include "tst_Resources.moc"
