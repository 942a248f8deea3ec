#pragma once
// The dialogs' own texts, as Windows-1251 bytes.

#include <string>

#include "platform/text/Cp1251.h"

namespace dialogs::texts {

using text::Cp;

inline const std::string kProductName = Cp("Брумелка");

// The users dialog.
inline const std::string kUsersCaption = Cp("Користувачі");
inline const std::string kUsersList = Cp("Користувачі:");
inline const std::string kProviderPhone = Cp("Телефон провайдера:");
inline const std::string kLogin = Cp("Логін:");
inline const std::string kPassword = Cp("Пароль:");
inline const std::string kUserName = Cp("Ім`я користувача:");
inline const std::string kUserPassword = Cp("Пароль користувача:");
inline const std::string kAdd = Cp("Додати");
inline const std::string kDelete = Cp("Видалити");
inline const std::string kModify = Cp("Внести зміни");
inline const std::string kOpenUsers = Cp("Відкрити..");
inline const std::string kSaveUsers = Cp("Зберегти..");
inline const std::string kClose = Cp("Закрити це вікно");
inline const std::string kDuplicateName = Cp("Вибачте, користувач з таким ім`ям уже є.");
inline const std::string kDeleteQuestion = Cp("Ви дійсно бажаєте видалити інформацію користувача ");
inline const std::string kSaveQuestion = Cp("Зберегти зміни в файл?");
inline const std::string kOpenFailed = Cp("Помилка відкривання, вибачте.");
inline const std::string kSaveFailed = Cp("Помилка збереження, вибачте.");
inline const std::string kRoot = "root";

// The settings dialog.
inline const std::string kSettingsCaption = Cp("Настройки");
inline const std::string kFiles = Cp("Файли");
inline const std::string kUsersData = Cp("Дані користувачів:");
inline const std::string kLog = Cp("Лог:");
inline const std::string kBrowse = Cp("Шукати..");
inline const std::string kTray = Cp("Трей");
inline const std::string kMinimizeOnConnect = Cp("Звертати програму після з`єднання");
inline const std::string kShowIconAtStart = Cp("Відображати піктограму при запуску програми");
inline const std::string kIntervalFrame = Cp("Інтервал логування роботи в мережі в хвилинах");
inline const std::string kOk = Cp("Ок");
inline const std::string kCancel = Cp("Відміна");
inline const std::string kOpenSettings = Cp("Відкрити...");
inline const std::string kSaveSettings = Cp("Зберегти...");

}  // namespace dialogs::texts
