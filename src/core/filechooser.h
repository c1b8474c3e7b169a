#pragma once
// The file dialog as the system file procedures use it. The program installs
// one built on QFileDialog; tests install one that answers from a script.
// An empty optional means the user cancelled.

#include <QString>
#include <optional>

struct FileDialogRequest {
    QString title;
    QString filter; // e.g. "*.TLV"
    QString initialName; // e.g. "*.TLV"
    bool forSave = false; // save dialogs ask before overwriting an existing file
    QString defaultSuffix; // added by the dialog to a name without one, before it asks about overwriting
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> choose(const FileDialogRequest& request) = 0;
};

FileChooser* fileChooser();
FileChooser* installFileChooser(FileChooser* chooser);
