#pragma once
// The main window's own texts, as Windows-1251 bytes.

#include <string>

#include "platform/text/Cp1251.h"

namespace texts {

using text::Cp;

inline const std::string kProductName = Cp("Брумелка");
inline const std::string kTitle = Cp("Брумелка 0.90");
inline const std::string kTitleUserPrefix = Cp("Брумелка 0.90 - ");
inline const std::string kInitialCaption = Cp("Моя брумелка");
inline const std::string kEnterDetails =
    Cp("Слід ввести свої особисті дані для того, щоб увійти в мережу.");
inline const std::string kAbout =
    Cp("Брумелка\rВерсія 0.90\rАвтор: команда Брумелки\rУсі права захищені.");

// Log-in.
inline const std::string kAskPasswordSuffix = Cp(", введіть, будь ласка, власний пароль.");
inline const std::string kUserChangedPrefix = Cp("Змінено користувача на ");
inline const std::string kChooseYourName = Cp("Тепер ви можете вибрати своє ім`я і ввести пароль.");
inline const std::string kUserButtonHint = Cp("Кнопка зміни користувача");
inline const std::string kRoot = "root";

// Dialling and the log.
inline const std::string kChooseNameFirst = Cp("Виберіть своє ім`я і введіть пароль.");
inline const std::string kNoConnections = Cp("Немає доступних з`єднань.");
inline const std::string kDialErrorCaption = Cp("На жаль, помилка.");
inline const std::string kDisconnected = Cp("Роз`єднано.");
// Followed by the service's reason when it gives one.
inline const std::string kLineDropped = Cp("Зв`язок обірвано.");
inline const std::string kConnectedAction = Cp("з`єднався");
inline const std::string kDisconnectedAction = Cp("розз`єднався");
inline const std::string kStillOnlineAction = Cp("працював");

// The settings commands.
inline const std::string kSettingsLoaded = Cp("Настройки були успішно завантажені.");
inline const std::string kSettingsLoadFailed = Cp("На жаль, помилка відкриття.");
inline const std::string kSettingsSaved = Cp("Настройки були успішно збережені.");
inline const std::string kSettingsSaveFailed = Cp("На жаль, помилка збереження.");

// Labels and button captions.
inline const std::string kAvailableConnections = Cp("Доступні з`єднання");
inline const std::string kProviderPhone = Cp("Телефон провайдера:");
inline const std::string kLogin = Cp("Логін:");
inline const std::string kConnectionPassword = Cp("Пароль з'єднання:");
inline const std::string kUserPassword = Cp("Пароль користувача:");
inline const std::string kConnect = Cp("З`єднатися");
inline const std::string kDisconnect = Cp("Розірвати зв`язок");
inline const std::string kMenu = Cp("Меню");

// Hints.
inline const std::string kConnectionListHint =
    Cp("Список з`єднань, на основі яких буде здійснено підключення до мережі");
inline const std::string kPhoneHint =
    Cp("Номер телефону провайдера, за яким буде телефонувати програма");
inline const std::string kLoginHint = Cp("Ідентифікатор, під яким буде здійснено вхід в мережу");
inline const std::string kPasswordHint = Cp("Пароль входу в мережу");
inline const std::string kPassHint = Cp("Пароль зміни користувача програми");
inline const std::string kConnectHint = Cp("З`єднатися з мережею");
inline const std::string kDisconnectHint = Cp("Розз`єднатися з мережею і очистити поля вводу");
inline const std::string kMenuHint = Cp("Головне меню програми");
inline const std::string kUsersFrameHint = Cp("Список доступних користувачів");
inline const std::string kBackHint = Cp("Прокрутити список користувачів вліво");
inline const std::string kNextHint = Cp("Прокрутити список користувачів вправо");

// The main menu.
inline const std::string kStatistics = Cp("Статистика");
inline const std::string kShowLog = Cp("Показати лог");
inline const std::string kManageStatistics = Cp("Керування статистикою");
inline const std::string kUsers = Cp("Користувачі");
inline const std::string kUsersDialog = Cp("Користувачі..");
inline const std::string kLoadUsers = Cp("Завантажити користувачів");
inline const std::string kClearUsers = Cp("Очистити список користувачів");
inline const std::string kSettings = Cp("Настройки");
inline const std::string kSettingsDialog = Cp("Настройки..");
inline const std::string kOpenSettings = Cp("Відкрити настройки");
inline const std::string kSaveSettings = Cp("Зберегти настройки");
inline const std::string kHelp = Cp("Довідка");
inline const std::string kAboutItem = Cp("Про програму");
inline const std::string kDocumentation = Cp("Документація");
inline const std::string kNewUser = Cp("Робота з новим користувачем");
inline const std::string kTurnOff = Cp("Вимкнення комп'ютера..");
inline const std::string kExit = Cp("Вихід");

// The tray menu.
inline const std::string kShowWindow = Cp("Показати вікно програми");
inline const std::string kHideWindow = Cp("Сховати вікно програми");
inline const std::string kTrayConnect = Cp("З`єднатись");
inline const std::string kTrayDisconnect = Cp("Розз`єднатися");
inline const std::string kTrayManageStatistics = Cp("Керування статистикою..");
inline const std::string kTrayDocumentation = Cp("Документация");

// The scheduled power-off.
inline const std::string kTurnedOffAction = Cp("вимкнув ПК");

}  // namespace texts
