#pragma once
// Services that record instead of sounding, copying or blocking.

#include <QString>
#include <QStringList>

#include "ui/services.h"

namespace noboria {

class FakeServices final : public Services {
 public:
  void beep() override { ++beeps; }
  void copy_text(const QString& text) override { clipboard = text; ++copies; }
  void message(QWidget*, const QString& text) override { messages << text; }

  int beeps = 0;
  int copies = 0;
  QString clipboard;
  QStringList messages;
};

}  // namespace noboria
