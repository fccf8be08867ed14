#pragma once

#include <QtGlobal>

// A crash names the seed and the event being sent when it happened, so
// that it can be replayed. The driver notes each event as it starts it.
void NoteCrashesOf(quint64 seed);
void NoteEvent(int event);
