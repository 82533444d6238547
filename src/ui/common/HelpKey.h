#pragma once

class QWidget;

namespace drawmentor {

class TPreferences;

// F1 anywhere in `window` opens the help topic of `helpContext`.
void InstallHelpKey(QWidget& window, int helpContext, const TPreferences& preferences);

} // namespace drawmentor
