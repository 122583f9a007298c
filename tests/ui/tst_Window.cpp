// Windows from templates, menus, accelerators, toolbar and the modal services.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "ui/BrowserHost.h"
#include "ui/Controls.h"
#include "ui/Menus.h"
#include "ui/ModalServices.h"
#include "ui/QtServices.h"
#include "ui/ScriptedServices.h"
#include "ui/Templates.h"
#include "ui/Window.h"

using namespace declarium;

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

class WindowTest : public QObject {
  Q_OBJECT
 private slots:
  void everyTemplateBuildsWithItsControls();
  void mainWindowHasTheNamedControls();
  void mainMenuDeliversCommandIds();
  void checkItemsFollowTheirHandler();
  void contextMenusHaveSixPopups();
  void acceleratorsDispatch();
  void toolbarFromItsTable();
  void messageBoxCaptionsAndAnswers();
  void scriptedInputAndSaveFile();
  void realInputBoxReturnsTheEditText();
  void realInputBoxCancelled();
  void modalResultAndFilterThatKeepsTheWindowOpen();
  void stateAndGeometry();
  void fileFilterConversion();
};

void WindowTest::everyTemplateBuildsWithItsControls() {
  for (const WindowTemplate* tmpl : AllWindowTemplates()) {
    std::unique_ptr<Window> w = Window::Build(tmpl->id);
    QVERIFY2(w, qPrintable(QString::number(tmpl->id)));
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
  QVERIFY(!Window::Build(4242));
  QCOMPARE(Window::RunModal(4242, nullptr), -1);
}

void WindowTest::mainWindowHasTheNamedControls() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  QCOMPARE(w->ClassName(), QStringLiteral("mornel-API"));
  QCOMPARE(Window::FindByClassName(QStringLiteral("mornel-API")), w.get());
  for (int id = 1001; id <= 1016; ++id) QVERIFY2(w->Item(id), qPrintable(QString::number(id)));
  QVERIFY(w->listBox(1001) && w->listBox(1002) && w->listBox(1009));
  QVERIFY(w->treeView(1003));
  QVERIFY(w->editBox(1004));
  QVERIFY(w->toolBar(1005));
  QVERIFY(w->statusBar(1006));
  QVERIFY(w->browser(1007));
  QVERIFY(w->multiLineEdit(1008));
  QVERIFY(w->dropDownList(1011));
  QVERIFY(w->reportView(1016));
  QCOMPARE(w->ItemText(1010), QStringLiteral("复制(&C)"));
  QVERIFY(w->Item(1016)->isHidden() && w->Item(1003)->isHidden() && w->Item(1002)->isHidden());
  QVERIFY(w->Menu());
  QVERIFY(w->MenuBar());
  // The client area starts below the menu bar.
  QCOMPARE(w->Client()->y(), w->MenuBar()->sizeHint().height());
  w.reset();
  QVERIFY(!Window::FindByClassName(QStringLiteral("mornel-API")));
}

void WindowTest::mainMenuDeliversCommandIds() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  std::vector<int> got;
  w->SetCommandHandler([&](int id) { got.push_back(id); });
  MenuResource* menu = w->Menu();
  QCOMPARE(menu->PopupCount(), 6);
  QCOMPARE(menu->Popup(3)->title(), QStringLiteral("选项(&O)"));
  const int ids[] = {10002, 10003, 10004, 10005, 10007, 10008, 10006, 10009, 10017, 10022, 10024, 10025,
                     10026, 10001, 10040, 10011, 10030, 10032, 10033, 10034, 10035};
  for (int id : ids) {
    QAction* action = menu->Action(id);
    QVERIFY2(action, qPrintable(QString::number(id)));
    action->trigger();
  }
  QCOMPARE(got, std::vector<int>(std::begin(ids), std::end(ids)));
  QCOMPARE(menu->Action(10002)->text(), QStringLiteral("函数(&F)\tF1"));
  QCOMPARE(menu->Action(10007)->text(), QStringLiteral("高级查找(&G)\tCtrl+F"));
  // The web-site submenu sits inside the help popup; help is at the right end.
  QMenu* help = menu->Popup(5);
  QCOMPARE(help->title(), QStringLiteral("帮助(&H)"));
  QVERIFY(menu->Action(10032)->associatedObjects().size() >= 1);
  QVERIFY(w->MenuBar()->cornerWidget(Qt::TopRightCorner));
  QCOMPARE(w->MenuBar()->actions().size(), 5);
}

void WindowTest::checkItemsFollowTheirHandler() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  MenuResource* menu = w->Menu();
  // Choosing the item does not flip the mark by itself; the handler does.
  w->SetCommandHandler([&](int id) {
    if (id == 10024) menu->SetChecked(10024, !menu->IsChecked(10024));
  });
  QVERIFY(!menu->IsChecked(10024));
  QVERIFY(menu->Trigger(10024));
  QVERIFY(menu->IsChecked(10024));
  QVERIFY(menu->Trigger(10024));
  QVERIFY(!menu->IsChecked(10024));
  QVERIFY(menu->Trigger(10025));
  QVERIFY(!menu->IsChecked(10025));  // nobody toggled it
  menu->SetChecked(10001, true);
  QVERIFY(menu->IsChecked(10001));
  menu->SetItemText(10001, QStringLiteral("公开"));
  QCOMPARE(menu->Action(10001)->text(), QStringLiteral("公开"));
  QVERIFY(!menu->Trigger(99999));
}

void WindowTest::contextMenusHaveSixPopups() {
  std::vector<int> got;
  std::unique_ptr<MenuResource> menus = MenuResource::Load(kContextMenus, [&](int id) { got.push_back(id); });
  QVERIFY(menus);
  QCOMPARE(menus->PopupCount(), 6);
  const QString titles[] = {QStringLiteral("右键函数分类"), QStringLiteral("右键待插入"), QStringLiteral("右键函数"),
                            QStringLiteral("右键数据类型"), QStringLiteral("右键常量"), QStringLiteral("托盘菜单")};
  const int itemCounts[] = {9, 3, 4, 3, 4, 7};
  for (int i = 0; i < 6; ++i) {
    QCOMPARE(menus->Popup(i)->title(), titles[i]);
    int items = 0;
    for (QAction* a : menus->Popup(i)->actions())
      if (!a->isSeparator()) ++items;
    QCOMPARE(items, itemCounts[i]);
  }
  const int ids[] = {11002, 11003, 11005, 11006, 11008, 11018, 11009, 11011, 11012, 11014, 11016, 11017,
                     11004, 11007, 11013, 11015, 11019, 11020, 11028, 11022, 11023, 11025, 11024, 11010,
                     11026, 11027, 11029, 11030, 11032, 11034};
  for (int id : ids) QVERIFY2(menus->Trigger(id), qPrintable(QString::number(id)));
  QCOMPARE(got, std::vector<int>(std::begin(ids), std::end(ids)));
  QVERIFY(!MenuResource::Load(12345));
  // A popup opened and closed without a choice dispatches nothing.
  got.clear();
  QTimer::singleShot(50, menus->Popup(1), [&] { menus->Popup(1)->close(); });
  QCOMPARE(menus->OpenPopup(1, QPoint(10, 10), nullptr), 0);
  QVERIFY(got.empty());
}

void WindowTest::acceleratorsDispatch() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  std::vector<int> got;
  w->SetCommandHandler([&](int id) { got.push_back(id); });
  QVERIFY(w->InstallAccelerators(kAcceleratorTable));
  QVERIFY(!w->InstallAccelerators(77));
  QVERIFY(w->InstallAccelerators(kAcceleratorTable));
  w->show();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  QWidget* search = w->Item(1004);
  search->setFocus();
  const Qt::Key keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F8};
  for (Qt::Key key : keys) QTest::keyClick(search, key);
  QTest::keyClick(search, Qt::Key_F, Qt::ControlModifier);
  QTest::keyClick(search, Qt::Key_F6);   // not in the table
  QTest::keyClick(search, Qt::Key_F);    // plain letter goes to the edit
  QCOMPARE(got, (std::vector<int>{10002, 10003, 10004, 10005, 10008, 10006, 10007}));
  QCOMPARE(w->ItemText(1004), QStringLiteral("f"));
}

void WindowTest::toolbarFromItsTable() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  ToolBar* bar = w->toolBar(1005);
  bar->SetPictureList(BuildPictureList(PictureSet::Toolbar));
  bar->AddButtons(MainToolbarTemplate());
  QCOMPARE(bar->ButtonCount(), 11);
  int separators = 0;
  for (QAction* a : bar->actions())
    if (a->isSeparator()) ++separators;
  QCOMPARE(separators, 4);
  const int commands[] = {10002, 10003, 10004, 10005, 10008, 10006, 10007, 10030, 10035, 10036, 10040};
  for (int i = 0; i < 11; ++i) QCOMPARE(bar->CommandOf(i), commands[i]);
  QCOMPARE(bar->TooltipOf(0), QStringLiteral("浏览API函数[F1]"));
  QCOMPARE(bar->TooltipOf(6), QStringLiteral("打开高级查找窗口[Ctrl + F]"));
  QCOMPARE(bar->TooltipOf(10), QStringLiteral("设置"));
  QVERIFY(bar->IsPressed(0));
  std::vector<int> got;
  connect(bar, &ToolBar::buttonClicked, this, [&](int id) { got.push_back(id); });
  for (QAction* a : bar->actions())
    if (!a->isSeparator()) a->trigger();
  QCOMPARE(got, std::vector<int>(std::begin(commands), std::end(commands)));
  // The four view buttons form one check group.
  QVERIFY(bar->IsPressed(3) && !bar->IsPressed(0));
  bar->SetPressed(1, true);
  QVERIFY(bar->IsPressed(1) && !bar->IsPressed(3));
  bar->SetPressed(1, false);
  QVERIFY(!bar->IsPressed(1));
  QVERIFY(bar->Height() > 0);
}

void WindowTest::messageBoxCaptionsAndAnswers() {
  ScriptedServices services;
  QCOMPARE(PlainMessageBox(QStringLiteral("获取数据错误！"), kMbIconError), kAnswerOk);
  QCOMPARE(services.lastMessage().caption, QStringLiteral("信息"));
  QCOMPARE(services.lastMessage().style, 0x10);
  QVERIFY(services.lastMessage().owner == nullptr);

  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  services.setNextAnswer(kAnswerNo);
  QCOMPARE(w->MessageBox(QStringLiteral("您真的要删除“A”常量吗？"), kMbYesNoWarning), kAnswerNo);
  QCOMPARE(services.lastMessage().caption, QStringLiteral("信息："));
  QCOMPARE(services.lastMessage().owner, static_cast<QWidget*>(w.get()));
  QCOMPARE(services.lastMessage().style, 0x34);
  // Unscripted Yes/No questions answer Yes.
  QCOMPARE(w->MessageBox(QStringLiteral("?"), kMbYesNoWarning), kAnswerYes);
  QCOMPARE(w->MessageBox(QStringLiteral("暂无帮助主题！"), 0, QStringLiteral("帮助")), kAnswerOk);
  QCOMPARE(services.lastMessage().caption, QStringLiteral("帮助"));
  QCOMPARE(services.messages().size(), size_t(4));
  QCOMPARE(&Services(), static_cast<ModalServices*>(&services));
}

void WindowTest::scriptedInputAndSaveFile() {
  ScriptedServices services;
  services.setNextInput(true, QStringLiteral("新值"));
  const InputResult first = Services().InputBox(nullptr, QStringLiteral("GetTickCount → 名称"), QStringLiteral("修改内容"),
                                                QStringLiteral("旧值"));
  QVERIFY(first.confirmed);
  QCOMPARE(first.text, QStringLiteral("新值"));
  services.setNextInput(false, QStringLiteral("ignored"));
  const InputResult second = Services().InputBox(nullptr, QStringLiteral("p"), QString(), QString());
  QVERIFY(!second.confirmed);
  QVERIFY(second.text.isEmpty());
  QCOMPARE(services.inputs().at(0).title, QStringLiteral("修改内容"));
  QCOMPARE(services.inputs().at(0).initial, QStringLiteral("旧值"));
  QCOMPARE(services.inputs().at(1).title, QStringLiteral("输入框"));
  services.setNextSaveFile(QStringLiteral("/tmp/out.txt"));
  QCOMPARE(Services().SaveFileName(nullptr, QStringLiteral("导出"), QStringLiteral("文本文件(*.txt)|*.txt"), QStringLiteral("txt")),
           QStringLiteral("/tmp/out.txt"));
  QVERIFY(Services().SaveFileName(nullptr, {}, {}, {}).isEmpty());
  Services().SetClipboardText(QStringLiteral("剪贴板"));
  QCOMPARE(services.clipboard(), QStringLiteral("剪贴板"));
  QCOMPARE(Services().RegisterHotkey(nullptr, 1, 0x4B), 1);
  QCOMPARE(Services().RegisterHotkey(nullptr, 2, 0x4B), 2);
  services.setHotkeyResult(false);
  QCOMPARE(Services().RegisterHotkey(nullptr, 2, 0x4B), 0);
}

namespace {
// Clicks a button of the modal window that is open once the loop runs.
void ClickInModal(int controlId, const QString& typed = {}) {
  QTimer::singleShot(0, [controlId, typed] {
    auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (!w) return;
    if (!typed.isEmpty()) w->multiLineEdit(1902)->SetText(typed);
    if (auto* b = w->button(controlId)) b->click();
  });
}
}  // namespace

void WindowTest::realInputBoxReturnsTheEditText() {
  QtServices real;
  SetServices(&real);
  QString seenPrompt;
  QString seenTitle;
  QString seenSelection;
  QTimer::singleShot(0, [&] {
    auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
    QVERIFY(w);
    seenPrompt = w->ItemText(1901);
    seenTitle = w->Caption();
    seenSelection = w->multiLineEdit(1902)->textCursor().selectedText();
  });
  ClickInModal(1903, QStringLiteral("第一行\r\n第二行"));
  const InputResult result = real.InputBox(nullptr, QStringLiteral("提示"), QString(), QStringLiteral("初始"));
  SetServices(nullptr);
  QVERIFY(result.confirmed);
  QCOMPARE(result.text, QStringLiteral("第一行\r\n第二行"));
  QCOMPARE(seenPrompt, QStringLiteral("提示"));
  QCOMPARE(seenTitle, QStringLiteral("输入框"));
  QCOMPARE(seenSelection, QStringLiteral("初始"));
}

void WindowTest::realInputBoxCancelled() {
  QtServices real;
  ClickInModal(1904, QStringLiteral("x"));
  const InputResult result = real.InputBox(nullptr, QStringLiteral("提示"), QStringLiteral("修改内容"), QStringLiteral("初始"));
  QVERIFY(!result.confirmed);
  QVERIFY(result.text.isEmpty());
}

void WindowTest::modalResultAndFilterThatKeepsTheWindowOpen() {
  int closeAttempts = 0;
  bool created = false;
  const int rc = Window::RunModal(kSettingsDialogTemplate, nullptr, [&](Window& w) {
    created = w.hotkeyEdit(1804) != nullptr;
    w.SetMessageFilter([&](QObject* target, QEvent* event) {
      if (target == &w && event->type() == QEvent::Close && closeAttempts++ == 0) return true;
      return false;
    });
    QTimer::singleShot(0, &w, [&w] {
      w.CloseWindow();                      // consumed by the filter
      QVERIFY(w.isVisible());
      w.EndWithResult(1808);
    });
  });
  QVERIFY(created);
  QCOMPARE(rc, 1808);
  QCOMPARE(closeAttempts, 1);
  // Closing by the title bar gives 0.
  const int closed = Window::RunModal(kAffixDialogTemplate, nullptr, [](Window& w) {
    QTimer::singleShot(0, &w, [&w] { w.CloseWindow(); });
  });
  QCOMPARE(closed, 0);
  // Modeless windows end themselves when closed.
  QPointer<Window> modeless = Window::CreateModeless(kAdvancedFindTemplate, nullptr);
  QVERIFY(Window::Exists(modeless));
  QVERIFY(modeless->isVisible());
  modeless->CloseWindow();
  QTRY_VERIFY(!Window::Exists(modeless));
}

void WindowTest::stateAndGeometry() {
  std::unique_ptr<Window> w = Window::Build(kMainWindowTemplate);
  int resized = 0;
  connect(w.get(), &Window::clientSizeChanged, this, [&](int, int) { ++resized; });
  QVERIFY(!w->IsShown());
  w->SetState(kStateNormal);  // shows a hidden window
  QVERIFY(w->IsShown());
  QCOMPARE(w->State(), kStateNormal);
  w->SetOuterGeometry(200, 200, 800, 600);
  QTRY_COMPARE(w->Width(), 800);
  QCOMPARE(w->Height(), 600);
  w->SetWidth(700);
  QTRY_COMPARE(w->Width(), 700);
  QCOMPARE(w->Height(), 600);
  QVERIFY(resized > 0);
  QCOMPARE(w->ClientRect().width(), w->Client()->width());
  w->SetShown(false);
  QVERIFY(!w->IsShown());
}

void WindowTest::fileFilterConversion() {
  QCOMPARE(QtFileFilter(QStringLiteral("文本文件(*.txt)|*.txt|所有文件(*.*)|*.*")),
           QStringLiteral("文本文件(*.txt);;所有文件(*.*)"));
  QCOMPARE(QtFileFilter(QStringLiteral("Text|*.txt")), QStringLiteral("Text (*.txt)"));
}

QTEST_MAIN(WindowTest)
#include "tst_Window.moc"
