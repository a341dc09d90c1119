#pragma once
// The platform services the windows call: the beep, the clipboard and the
// modal message box. Behind this seam the trace driver and the tests count
// and read them without sounds or modal loops.

#include <QString>
#include <QStringList>

#include "ui/event_sound.h"

class QWidget;

namespace noboria {

class Services {
 public:
  virtual ~Services() = default;
  virtual void beep() = 0;
  // Clears the clipboard and puts exactly this plain text on it. A clipboard
  // that cannot be written is ignored: the program keeps running.
  virtual void copy_text(const QString& text) = 0;
  // A modal box: the text, an OK button only, no icon, the title "ノボリア".
  // Returns when the user dismisses it.
  virtual void message(QWidget* parent, const QString& text) = 0;
};

// The real services of the desktop. The beep is the sound theme's window
// bell, or the X bell when there is no sound system.
class DesktopServices final : public Services {
 public:
  DesktopServices();
  void beep() override;
  void copy_text(const QString& text) override;
  void message(QWidget* parent, const QString& text) override;

 private:
  EventSound sound_;
};

// Services that record instead of sounding, copying or blocking: nothing
// reaches the speaker, the clipboard or the screen.
class RecordingServices final : public Services {
 public:
  void beep() override { ++beeps; }
  void copy_text(const QString& text) override {
    clipboard = text;
    ++copies;
  }
  void message(QWidget*, const QString& text) override { messages << text; }

  long long beeps = 0;
  int copies = 0;
  QString clipboard;    // the text the last copy put there
  QStringList messages;  // every message box's text, in order
};

}  // namespace noboria
