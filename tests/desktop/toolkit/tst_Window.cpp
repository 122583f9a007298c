// Windows built from templates, menus, accelerators and toolbars from their
// tables, and the modal services.
#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ModalScript.h"
#include "desktop/support/ScriptedServices.h"

#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtServices.h"
#include "toolkit/Runtime.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"

using namespace declarium;

namespace {

// A window of the tests' own: a menu bar with a check item, a submenu and a
// popup at the right end, an edit, a button and a toolbar.
using E = MenuEntryKind;
using K = ControlKind;
constexpr int kOpen = 1, kSub = 2, kAbout = 3, kEdit = 11, kOk = 12, kBar = 13, kCheck = 14;
constexpr MenuEntry kTestMenu[] = {
    {E::Popup, u"文件(&F)", 0, 0}, {E::Item, u"打开(&O)\tF2", kOpen, kMenuCheckable},
    {E::Separator, nullptr, 0, 0}, {E::Popup, u"更多", 0, 0},
    {E::Item, u"子项", kSub, 0},   {E::EndPopup, nullptr, 0, 0},
    {E::EndPopup, nullptr, 0, 0},  {E::Popup, u"帮助(&H)", 0, kMenuRightAligned},
    {E::Item, u"关于", kAbout, 0}, {E::EndPopup, nullptr, 0, 0},
};
constexpr ControlTemplate kTestControls[] = {
    {kBar, K::ToolBar, nullptr, 0, 0, 200, 14, kNoStyle},
    {kEdit, K::Edit, nullptr, 5, 20, 100, 13, kNoStyle},
    {kCheck, K::CheckBox, u"选项", 5, 40, 60, 10, kHidden},
    {kOk, K::Button, u"确定", 110, 20, 50, 15, kDefaultButton},
};
constexpr WindowTemplate kTestWindow{4000, u"测试窗口", u"test-window", 200, 100, kTestMenu, kTestControls};
constexpr WindowTemplate kTestDialog{4100, u"测试对话框", nullptr, 200, 100, {}, kTestControls};
constexpr AcceleratorEntry kTestKeys[] = {{Qt::Key_F2, Qt::NoModifier, kOpen},
                                          {Qt::Key_F, Qt::ControlModifier, kAbout}};
using S = ToolButtonStyle;
constexpr ToolButtonTemplate kTestButtons[] = {
    {kOpen, 0, S::CheckGroup, u"打开", true},
    {kSub, 1, S::CheckGroup, u"子项", false},
    {0, 0, S::Separator, nullptr, false},
    {kAbout, 0, S::Push, u"关于", false},
};

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT
 private slots:
  void templateBuildsItsControlsAndMenuBar();
  void menuDeliversCommandIds();
  void checkItemsFollowTheirHandler();
  void acceleratorsDispatch();
  void toolbarFromItsTable();
  void messageBoxCaptionsAndAnswers();
  void scriptedInputAndSaveFile();
  void realInputBoxReturnsTheEditText();
  void realInputBoxCancelled();
  void realMessageBoxButtonsAreChinese();
  void qtDialogsAreChineseWhereTheTranslationIs();
  void escapeClosesOnlyWindowsThatAskForIt();
  void focusComesBackAfterAModalWindow();
  void modalResultAndFilterThatKeepsTheWindowOpen();
  void stateAndGeometry();
  void fileFilterConversion();
};

void WindowTest::templateBuildsItsControlsAndMenuBar() {
  std::unique_ptr<Window> w = Window::Build(kTestWindow);
  QCOMPARE(w->TemplateId(), kTestWindow.id);
  QCOMPARE(w->Caption(), QStringLiteral("测试窗口"));
  QCOMPARE(Window::FindByClassName(QStringLiteral("test-window")), w.get());
  QCOMPARE(w->ControlIds(), (std::vector<int>{kBar, kEdit, kCheck, kOk}));
  QVERIFY(w->toolBar(kBar) && w->editBox(kEdit) && w->button(kOk));
  QCOMPARE(ControlIdOf(w->Item(kEdit)), kEdit);
  QCOMPARE(w->ItemText(kOk), QStringLiteral("确定"));
  QVERIFY(w->Item(kCheck)->isHidden() && !w->Item(kOk)->isHidden());
  const DialogBaseUnits base = w->BaseUnits();
  QCOMPARE(w->Item(kEdit)->geometry(), DialogUnitsToPixels(QRect(5, 20, 100, 13), base));
  QCOMPARE(w->ClientRect().size(), DialogUnitsToPixels(QRect(0, 0, 200, 100), base).size());
  // The client area starts below the menu bar; a dialog has none.
  QVERIFY(w->Menu() && w->MenuBar());
  QCOMPARE(w->Client()->y(), w->MenuBar()->sizeHint().height());
  QVERIFY(!Window::Build(kTestDialog)->Menu());
  w.reset();
  QVERIFY(!Window::FindByClassName(QStringLiteral("test-window")));
}

void WindowTest::menuDeliversCommandIds() {
  std::unique_ptr<Window> w = Window::Build(kTestWindow);
  std::vector<int> got;
  w->SetCommandHandler([&](int id) { got.push_back(id); });
  MenuResource* menu = w->Menu();
  QCOMPARE(menu->PopupCount(), 2);
  QCOMPARE(menu->Popup(0)->title(), QStringLiteral("文件(&F)"));
  for (int id : {kOpen, kSub, kAbout}) menu->Action(id)->trigger();
  QCOMPARE(got, (std::vector<int>{kOpen, kSub, kAbout}));
  QCOMPARE(menu->Action(kOpen)->text(), QStringLiteral("打开(&O)\tF2"));
  // The right-aligned popup sits in the bar's corner, the other on the bar.
  QVERIFY(w->MenuBar()->cornerWidget(Qt::TopRightCorner));
  QCOMPARE(w->MenuBar()->actions().size(), 1);
  QVERIFY(!MenuResource::Load({}, {}));
  // A popup opened and closed without a choice dispatches nothing.
  got.clear();
  int chosen = -1;
  QVERIFY(test::ClosingPopup([&] { chosen = menu->OpenPopup(0, QPoint(10, 10), nullptr); }));
  QCOMPARE(chosen, 0);
  QVERIFY(got.empty());
}

void WindowTest::checkItemsFollowTheirHandler() {
  std::unique_ptr<Window> w = Window::Build(kTestWindow);
  MenuResource* menu = w->Menu();
  // Choosing the item does not flip the mark by itself; the handler does.
  bool toggle = true;
  w->SetCommandHandler([&](int id) {
    if (id == kOpen && toggle) menu->SetChecked(kOpen, !menu->IsChecked(kOpen));
  });
  QVERIFY(!menu->IsChecked(kOpen));
  QVERIFY(menu->Trigger(kOpen));
  QVERIFY(menu->IsChecked(kOpen));
  toggle = false;
  QVERIFY(menu->Trigger(kOpen));
  QVERIFY(menu->IsChecked(kOpen));  // nobody toggled it
  menu->SetChecked(kAbout, true);
  QVERIFY(menu->IsChecked(kAbout));
  menu->SetItemText(kAbout, QStringLiteral("公开"));
  QCOMPARE(menu->Action(kAbout)->text(), QStringLiteral("公开"));
  QVERIFY(!menu->Trigger(99999));
}

void WindowTest::acceleratorsDispatch() {
  std::unique_ptr<Window> w = Window::Build(kTestWindow);
  std::vector<int> got;
  w->SetCommandHandler([&](int id) { got.push_back(id); });
  QVERIFY(w->InstallAccelerators(kTestKeys));
  QVERIFY(!w->InstallAccelerators({}));
  QVERIFY(w->InstallAccelerators(kTestKeys));  // installing again replaces the keys
  w->show();
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.get()));
  QWidget* edit = w->Item(kEdit);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_F2);
  QTest::keyClick(edit, Qt::Key_F, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_F6);  // not in the table
  QTest::keyClick(edit, Qt::Key_F);   // a plain letter goes to the edit
  QCOMPARE(got, (std::vector<int>{kOpen, kAbout}));
  QCOMPARE(w->ItemText(kEdit), QStringLiteral("f"));
}

void WindowTest::toolbarFromItsTable() {
  std::unique_ptr<Window> w = Window::Build(kTestWindow);
  ToolBar* bar = w->toolBar(kBar);
  bar->AddButtons(kTestButtons);
  QCOMPARE(bar->ButtonCount(), 3);
  QCOMPARE(bar->CommandOf(2), kAbout);
  QCOMPARE(bar->TooltipOf(1), QStringLiteral("子项"));
  QVERIFY(bar->IsPressed(0));
  std::vector<int> got;
  connect(bar, &ToolBar::buttonClicked, this, [&](int id) { got.push_back(id); });
  for (QAction* a : bar->actions())
    if (!a->isSeparator()) a->trigger();
  QCOMPARE(got, (std::vector<int>{kOpen, kSub, kAbout}));
  // The check-group buttons press one another out.
  QVERIFY(bar->IsPressed(1) && !bar->IsPressed(0));
  bar->SetPressed(0, true);
  QVERIFY(bar->IsPressed(0) && !bar->IsPressed(1));
  bar->SetPressed(0, false);
  QVERIFY(!bar->IsPressed(0));
  QVERIFY(bar->Height() > 0);
}

void WindowTest::messageBoxCaptionsAndAnswers() {
  ScriptedServices services;
  QCOMPARE(PlainMessageBox(QStringLiteral("获取数据错误！"), kMbIconError), kAnswerOk);
  QCOMPARE(services.lastMessage().caption, QStringLiteral("信息"));
  QCOMPARE(services.lastMessage().style, 0x10);
  QVERIFY(services.lastMessage().owner == nullptr);

  std::unique_ptr<Window> w = Window::Build(kTestWindow);
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
  const InputResult first = Services().InputBox(nullptr, QStringLiteral("GetTickCount → 名称"),
                                                QStringLiteral("修改内容"), QStringLiteral("旧值"));
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
  QCOMPARE(Services().SaveFileName(nullptr, QStringLiteral("导出"), QStringLiteral("文本文件(*.txt)|*.txt"),
                                   QStringLiteral("txt")),
           QStringLiteral("/tmp/out.txt"));
  QVERIFY(Services().SaveFileName(nullptr, {}, {}, {}).isEmpty());
  Services().SetClipboardText(QStringLiteral("剪贴板"));
  QCOMPARE(services.clipboard(), QStringLiteral("剪贴板"));
  QCOMPARE(Services().RegisterHotkey(nullptr, Qt::AltModifier, 0x4B), 1);
  QCOMPARE(Services().RegisterHotkey(nullptr, Qt::ControlModifier, 0x4B), 2);
  services.setHotkeyResult(false);
  QCOMPARE(Services().RegisterHotkey(nullptr, Qt::ControlModifier, 0x4B), 0);
}

void WindowTest::realInputBoxReturnsTheEditText() {
  QtServices real;
  SetServices(&real);
  QString seenPrompt;
  QString seenTitle;
  QString seenSelection;
  InputResult result;
  const auto open = [&] { result = real.InputBox(nullptr, QStringLiteral("提示"), QString(), QStringLiteral("初始")); };
  QVERIFY(test::InModal(kInputBoxTemplate, open, [&](Window& w) {
    seenPrompt = w.ItemText(input_box_control::kPrompt);
    seenTitle = w.Caption();
    seenSelection = w.multiLineEdit(input_box_control::kText)->textCursor().selectedText();
    w.multiLineEdit(input_box_control::kText)->SetText(QStringLiteral("第一行\r\n第二行"));
    w.button(input_box_control::kOk)->click();
  }));
  SetServices(nullptr);
  QVERIFY(result.confirmed);
  QCOMPARE(result.text, QStringLiteral("第一行\r\n第二行"));
  QCOMPARE(seenPrompt, QStringLiteral("提示"));
  QCOMPARE(seenTitle, QStringLiteral("输入框"));
  QCOMPARE(seenSelection, QStringLiteral("初始"));
}

void WindowTest::realInputBoxCancelled() {
  QtServices real;
  InputResult result;
  QVERIFY(test::InModal(
      kInputBoxTemplate,
      [&] {
        result = real.InputBox(nullptr, QStringLiteral("提示"), QStringLiteral("修改内容"), QStringLiteral("初始"));
      },
      [](Window& w) {
        w.multiLineEdit(input_box_control::kText)->SetText(QStringLiteral("x"));
        w.button(input_box_control::kCancel)->click();
        QVERIFY(!w.isVisible());
      }));
  QVERIFY(!result.confirmed);
  QVERIFY(result.text.isEmpty());
}

void WindowTest::realMessageBoxButtonsAreChinese() {
  QtServices real;
  QStringList texts;
  int answer = 0;
  const auto find = [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); };
  QVERIFY(test::WhenOpen(
      find, [&] { answer = real.ShowMessage(nullptr, QStringLiteral("问"), 3, QStringLiteral("信息：")); },
      [&](QMessageBox& box) {
        for (auto which : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) texts << box.button(which)->text();
        box.button(QMessageBox::No)->click();
      }));
  QCOMPARE(texts, QStringList({"是(&Y)", "否(&N)", "取消"}));
  QCOMPARE(answer, int(kAnswerNo));

  // The asking window's own icon where the style says so.
  QPixmap programIcon(32, 32);
  programIcon.fill(Qt::red);
  QApplication::setWindowIcon(QIcon(programIcon));
  bool ownIcon = false;
  QVERIFY(test::WhenOpen(
      find, [&] { real.ShowMessage(nullptr, QStringLiteral("关于"), kMbUserIcon, QString()); },
      [&](QMessageBox& box) {
        ownIcon = box.icon() == QMessageBox::NoIcon && !box.iconPixmap().isNull();
        box.button(QMessageBox::Ok)->click();
      }));
  QVERIFY(ownIcon);
}

void WindowTest::qtDialogsAreChineseWhereTheTranslationIs() {
  const bool found =
      QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm"));
  QCOMPARE(InstallChineseTranslation(), found);
  if (!found) QSKIP("Qt's Chinese translation (qt6-translations-l10n) is not installed");
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  QVERIFY(buttons != nullptr);
  QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

void WindowTest::escapeClosesOnlyWindowsThatAskForIt() {
  for (bool closes : {false, true}) {
    QPointer<Window> w = Window::CreateModeless(kTestWindow, nullptr);
    QVERIFY(w);
    w->SetClosesOnEscape(closes);
    w->editBox(kEdit)->setFocus();
    QTest::keyClick(w->editBox(kEdit), Qt::Key_Escape);
    QCOMPARE(w.isNull() || !w->isVisible(), closes);
    if (w) w->CloseWindow();
    QTRY_VERIFY(w.isNull());
  }
}

void WindowTest::focusComesBackAfterAModalWindow() {
  QPointer<Window> w = Window::CreateModeless(kTestWindow, nullptr);
  QVERIFY(w);
  w->activateWindow();
  w->editBox(kEdit)->setFocus();
  QVERIFY(QTest::qWaitForWindowActive(w.data()));
  Window::RunModal(kTestDialog, w.data(), [](Window& d) { QTimer::singleShot(0, &d, [&d] { d.EndWithResult(1); }); });
  QTRY_COMPARE(QApplication::activeWindow(), w.data());
  QCOMPARE(QApplication::focusWidget(), w->editBox(kEdit));
  w->CloseWindow();
  QTRY_VERIFY(w.isNull());
}

void WindowTest::modalResultAndFilterThatKeepsTheWindowOpen() {
  int closeAttempts = 0;
  bool created = false;
  const int rc = Window::RunModal(kTestDialog, nullptr, [&](Window& w) {
    created = w.editBox(kEdit) != nullptr;
    w.SetMessageFilter([&](QObject* target, QEvent* event) {
      if (target == &w && event->type() == QEvent::Close && closeAttempts++ == 0) return true;
      return false;
    });
    QTimer::singleShot(0, &w, [&w] {
      w.CloseWindow();  // consumed by the filter
      QVERIFY(w.isVisible());
      w.EndWithResult(kOk);
    });
  });
  QVERIFY(created);
  QCOMPARE(rc, kOk);
  QCOMPARE(closeAttempts, 1);
  // Closing by the title bar gives 0.
  const int closed =
      Window::RunModal(kTestDialog, nullptr, [](Window& w) { QTimer::singleShot(0, &w, [&w] { w.CloseWindow(); }); });
  QCOMPARE(closed, 0);
  // Modeless windows end themselves when closed.
  QPointer<Window> modeless = Window::CreateModeless(kTestDialog, nullptr);
  QVERIFY(Window::Exists(modeless));
  QVERIFY(modeless->isVisible());
  modeless->CloseWindow();
  QTRY_VERIFY(!Window::Exists(modeless));
}

void WindowTest::stateAndGeometry() {
  std::unique_ptr<Window> w = Window::Build(kTestWindow);
  int resized = 0;
  connect(w.get(), &Window::clientSizeChanged, this, [&](int, int) { ++resized; });
  QVERIFY(!w->IsShown());
  w->SetState(kStateNormal);  // shows a hidden window
  QVERIFY(w->IsShown());
  QCOMPARE(w->State(), kStateNormal);
  w->SetOuterGeometry(200, 200, 800, 600);
  QTRY_COMPARE(w->Width(), 800);
  QCOMPARE(w->Height(), 600);
  w->SetOuterGeometry(w->Left(), w->Top(), 700, w->Height());
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
