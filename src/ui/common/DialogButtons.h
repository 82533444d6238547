#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;

namespace drawmentor {

struct TDialogButtons {
    QPushButton* OK = nullptr;
    QPushButton* Cancel = nullptr;
};

// The row every dialog ends with: OK (the default button) and Cancel at the
// right, named btnOK and btnCancel for the tests, added to `layout` and wired
// to accept and reject. Their texts come with the dialog's translation.
TDialogButtons AddDialogButtons(QDialog& dialog, QBoxLayout& layout);

} // namespace drawmentor
