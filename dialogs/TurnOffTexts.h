#pragma once
// The power-off dialog's texts, as Windows-1251 bytes.

#include <string>

#include "platform/text/Cp1251.h"

namespace dialogs::texts {

inline const std::string kTurnOffCaption = text::Cp("Вимкнення комп'ютера");
inline const std::string kTurnOffHeading = text::Cp("Вкажіть параметри вимкнення");
inline const std::string kAfterMinutes = text::Cp("Через проміжок часу в хвилинах:");
inline const std::string kAtTime = text::Cp("О заданій годині:");
inline const std::string kReady = text::Cp("Готово");
inline const std::string kTurnOffCancel = text::Cp("Відміна");
inline const std::string kEnterProperly =
    text::Cp("Введіть дані належним чином, будь-ласка (формат часу - hh:mm)");

}  // namespace dialogs::texts
