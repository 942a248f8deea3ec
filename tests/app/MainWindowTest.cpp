// The main window's layout, menus and small commands.

#include <vector>

#include "platform/headless/HeadlessPeers.h"
#include "tests/app/MainWindowFixture.h"

using text::Cp;

namespace {

struct Placed {
  const char* name;
  const ui::Control& control;
  ui::Rect bounds;
  std::string caption;
  std::string hint;
};

std::vector<std::string> Captions(const std::vector<std::unique_ptr<ui::MenuItem>>& items) {
  std::vector<std::string> captions;
  for (const auto& item : items) captions.push_back(item->Caption());
  return captions;
}

}  // namespace

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThemWithCaptionsAndHints) {
  Start();
  const auto& peer = dynamic_cast<const headless::HeadlessForm&>(form->Peer());
  EXPECT_EQ(form->ClientSize(), (ui::Size{395, 351}));
  EXPECT_EQ(peer.Options().windowClass, "Velir_caller_Ident");
  EXPECT_EQ(peer.Options().style, ui::FormStyle::Main);
  EXPECT_EQ(peer.Options().fontName, "MS Sans Serif");
  EXPECT_EQ(peer.Options().fontPoints, 8);

  const std::vector<Placed> layout = {
      {"ConnectionListBox",
       form->ConnectionListBox,
       {14, 34, 121, 159},
       "",
       Cp("Список з`єднань, на основі яких буде здійснено підключення до мережі")},
      {"PhoneEdit",
       form->PhoneEdit,
       {176, 36, 203, 21},
       "",
       Cp("Номер телефону провайдера, за яким буде телефонувати програма")},
      {"LoginEdit",
       form->LoginEdit,
       {176, 80, 203, 21},
       "",
       Cp("Ідентифікатор, під яким буде здійснено вхід в мережу")},
      {"PasswordEdit", form->PasswordEdit, {176, 122, 203, 21}, "", Cp("Пароль входу в мережу")},
      {"PassEdit",
       form->PassEdit,
       {176, 170, 203, 21},
       "",
       Cp("Пароль зміни користувача програми")},
      {"ConnectButton",
       form->ConnectButton,
       {12, 208, 117, 25},
       Cp("З`єднатися"),
       Cp("З`єднатися з мережею")},
      {"DisconnectButton",
       form->DisconnectButton,
       {12, 240, 117, 25},
       Cp("Розірвати зв`язок"),
       Cp("Розз`єднатися з мережею і очистити поля вводу")},
      {"Bevel1", form->Bevel1, {8, 297, 377, 5}, "", ""},
      {"Bevel2", form->Bevel2, {24, 308, 345, 35}, "", Cp("Список доступних користувачів")},
      {"BackButton",
       form->BackButton,
       {8, 307, 17, 37},
       "<",
       Cp("Прокрутити список користувачів вліво")},
      {"NextButton",
       form->NextButton,
       {368, 307, 17, 37},
       ">",
       Cp("Прокрутити список користувачів вправо")},
  };
  for (const Placed& p : layout) {
    EXPECT_EQ(p.control.Bounds(), p.bounds) << p.name;
    EXPECT_EQ(p.control.Text(), p.caption) << p.name;
    EXPECT_EQ(p.control.Hint(), p.hint) << p.name;
  }

  const std::vector<std::pair<const ui::Label*, std::string>> labels = {
      {&form->Label5, Cp("Доступні з`єднання")},
      {&form->Label4, Cp("Телефон провайдера:")},
      {&form->Label3, Cp("Логін:")},
      {&form->Label2, Cp("Пароль з'єднання:")},
      {&form->Label6, Cp("Пароль користувача:")},
  };
  const std::vector<ui::Point> labelPlaces = {
      {16, 16}, {176, 18}, {176, 62}, {176, 104}, {176, 152}};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    EXPECT_EQ(labels[i].first->Text(), labels[i].second);
    EXPECT_EQ(labels[i].first->Bounds().left, labelPlaces[i].x);
    EXPECT_EQ(labels[i].first->Bounds().top, labelPlaces[i].y);
  }
  EXPECT_EQ(form->Label1.Bounds().left, 12);
  EXPECT_EQ(form->Label1.Bounds().top, 280);
  // The link sizes itself to its text, so its caption is never clipped whatever the font.
  EXPECT_EQ(form->MenuLabel.Bounds().left, 352);
  EXPECT_EQ(form->MenuLabel.Bounds().top, 285);
  EXPECT_EQ(form->MenuLabel.Text(), Cp("Меню"));
  EXPECT_EQ(form->MenuLabel.Hint(), Cp("Головне меню програми"));

  const auto kind = [](const ui::Control& c) {
    return dynamic_cast<const headless::HeadlessControl&>(c.Peer()).Kind();
  };
  EXPECT_EQ(kind(form->PassEdit), ui::ControlKind::PasswordEdit);
  EXPECT_EQ(kind(form->PasswordEdit), ui::ControlKind::PasswordEdit);
  EXPECT_EQ(kind(form->PhoneEdit), ui::ControlKind::Edit);
  EXPECT_EQ(kind(form->BackButton), ui::ControlKind::FlatButton);
  EXPECT_FALSE(form->BackButton.Enabled());
  EXPECT_FALSE(form->NextButton.Enabled());
  EXPECT_EQ(form->MenuLabel.TextColor(), (ui::Color{0, 0, 255}));
  EXPECT_TRUE(dynamic_cast<const headless::HeadlessControl&>(form->MenuLabel.Peer()).IsLink());
  EXPECT_FALSE(form->Timer1.Enabled());
  EXPECT_FALSE(form->TurnOffTimer.Enabled());
  EXPECT_FALSE(form->TimeTimer.Enabled());
}

TEST_F(MainWindowTest, TabGoesThroughTheFieldsInTheirKeyboardOrder) {
  WriteUsers({{"anna", "", "", "", ""}});
  Start();
  form->ConnectionListBox.SetFocus();
  const std::vector<const ui::Control*> order = {&form->PhoneEdit,        &form->LoginEdit,
                                                 &form->PassEdit,         &form->ConnectButton,
                                                 &form->DisconnectButton, &form->PasswordEdit};
  for (const ui::Control* expected : order) {
    backend.PressTab(*form);
    EXPECT_TRUE(expected->Focused());
  }
}

TEST_F(MainWindowTest, MenusHoldEveryEntryWithItsStartingState) {
  WriteUsers({{"anna", "", "", "", ""}});
  Start();

  EXPECT_EQ(Captions(form->PopupMainMenu.Items()),
            (std::vector<std::string>{Cp("Статистика"), Cp("Користувачі"), Cp("Настройки"),
                                      Cp("Довідка"), "-", Cp("Робота з новим користувачем"),
                                      Cp("Вимкнення комп'ютера.."), "-", Cp("Вихід")}));
  EXPECT_EQ(Captions(form->N6->Items()),
            (std::vector<std::string>{Cp("Показати лог"), Cp("Керування статистикою")}));
  EXPECT_EQ(Captions(form->N2->Items()),
            (std::vector<std::string>{Cp("Користувачі.."), Cp("Завантажити користувачів"),
                                      Cp("Очистити список користувачів")}));
  EXPECT_EQ(Captions(form->N3->Items()),
            (std::vector<std::string>{Cp("Настройки.."), Cp("Відкрити настройки"),
                                      Cp("Зберегти настройки")}));
  EXPECT_EQ(Captions(form->N16->Items()),
            (std::vector<std::string>{Cp("Про програму"), Cp("Документація")}));
  EXPECT_TRUE(form->ShowLogItem->Enabled());
  EXPECT_FALSE(form->N9->Enabled());
  EXPECT_FALSE(form->DocumentationItem->Enabled());
  EXPECT_TRUE(form->AboutItem->Enabled());
  EXPECT_TRUE(form->ChangeUserItem->Enabled());
  EXPECT_TRUE(form->ExitItem->Enabled());

  EXPECT_EQ(
      Captions(form->PopupMenuTray.Items()),
      (std::vector<std::string>{Cp("Показати вікно програми"), Cp("Сховати вікно програми"), "-",
                                Cp("З`єднатись"), Cp("Розз`єднатися"), "-", Cp("Статистика"),
                                Cp("Настройки.."), "-", Cp("Довідка"), "-", Cp("Вихід")}));
  EXPECT_EQ(Captions(form->N4->Items()),
            (std::vector<std::string>{Cp("Показати лог"), Cp("Керування статистикою..")}));
  EXPECT_EQ(Captions(form->N17->Items()),
            (std::vector<std::string>{Cp("Документация"), Cp("Про програму")}));
  EXPECT_FALSE(form->N13->Enabled());
  EXPECT_FALSE(form->N19->Enabled());
  // Whoever is not root can't reach the settings from the tray either.
  EXPECT_FALSE(form->N14->Enabled());
}

TEST_F(MainWindowTest, MenuLinkChangesColourAndOpensTheMenuAboveItself) {
  Start();
  backend.Hover(form->MenuLabel);
  EXPECT_EQ(form->MenuLabel.TextColor(), (ui::Color{166, 202, 240}));
  backend.Leave(form->MenuLabel);
  EXPECT_EQ(form->MenuLabel.TextColor(), (ui::Color{0, 0, 255}));

  backend.Hover(form->MenuLabel);
  backend.Click(form->MenuLabel);
  EXPECT_EQ(form->MenuLabel.TextColor(), (ui::Color{0, 0, 255}));
  ASSERT_EQ(backend.Popups().size(), 1u);
  const ui::Rect frame = form->ScreenBounds();
  EXPECT_EQ(backend.Popups()[0].menu, &form->PopupMainMenu);
  EXPECT_EQ(backend.Popups()[0].at, (ui::Point{frame.left + 352, frame.top + 215}));
}

TEST_F(MainWindowTest, AboutShowsFourLinesInAPlainBox) {
  Start();
  backend.ChooseNextMenuItem(form->AboutItem);
  backend.Click(form->MenuLabel);

  ASSERT_EQ(backend.Messages().size(), 1u);
  const headless::ShownMessage& about = backend.Messages()[0];
  EXPECT_EQ(about.kind, ui::MessageKind::Info);
  EXPECT_EQ(about.caption, backend.ApplicationTitle());
  EXPECT_EQ(about.text.rfind(Cp("Брумелка\rВерсія 0.90\r"), 0), 0u) << about.text;
  EXPECT_EQ(std::count(about.text.begin(), about.text.end(), '\r'), 3);
}

TEST_F(MainWindowTest, DisabledMenuEntriesDoNothingWhenPicked) {
  Start();
  backend.ChooseNextMenuItem(form->DocumentationItem);
  backend.Click(form->MenuLabel);
  EXPECT_TRUE(backend.Messages().empty());
}

TEST_F(MainWindowTest, ExitEndsWithTheWindowDestroyed) {
  Start();
  backend.ChooseNextMenuItem(form->ExitItem);
  backend.Click(form->MenuLabel);
  EXPECT_TRUE(dynamic_cast<const headless::HeadlessForm&>(form->Peer()).Destroyed());
  EXPECT_TRUE(backend.Messages().empty());
}

TEST_F(MainWindowTest, ActivationMessageOfASecondCopyBringsTheWindowBack) {
  Start();
  backend.Minimize(*form);
  form->Hide();
  ASSERT_FALSE(form->Visible());

  EXPECT_TRUE(backend.SendMessage(*form, 32777));

  const auto& peer = dynamic_cast<const headless::HeadlessForm&>(form->Peer());
  EXPECT_TRUE(peer.Visible());
  EXPECT_FALSE(peer.Minimized());
  EXPECT_TRUE(peer.InFront());
}

TEST_F(MainWindowTest, TrayMenuShowsAndHidesTheWindow) {
  Start();
  form->HideItemClick();
  EXPECT_FALSE(form->Visible());
  form->ShowItemClick();
  EXPECT_TRUE(form->Visible());
}
