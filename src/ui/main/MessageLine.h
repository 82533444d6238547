#pragma once

#include <QString>
#include <QStringList>

namespace drawmentor {

class TSession;
class TPreferences;

// The message line's text of `key` (a "Main.Messages" text) with its
// arguments; after a draw it also says what the hold cost.
QString MessageText(const QString& key, const QStringList& arguments, const TSession& session,
                    const TPreferences& preferences);

// What the message line says for the state of play; a null string during a
// double-up round, whose message stays as the round set it.
QString StateMessage(const TSession& session, const TPreferences& preferences);

} // namespace drawmentor
