#pragma once

#include <QString>

namespace vb {
class Error;
}

// The file-error table the skin writer, the old-skin converter and the settings
// writer share.

// Shows the table's message box for a failed file operation (its run-time error
// number and description); the title is the program title, " - " and operation. Returns true when the user
// chose Retry (only the errors that offer it); after Cancel it has shown message 13075 too.
bool ShowFileError(const vb::Error &error, const QString &operation);
