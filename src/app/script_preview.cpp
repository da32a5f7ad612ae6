#include "app/script_preview.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/window_fonts.h"

namespace {

// Lines shown before the text box scrolls.
constexpr int kShownLines = 16;
constexpr int kWidth = 560;

}  // namespace

TScriptPreview::TScriptPreview(QWidget* parent, const std::string& intro,
                               const std::vector<TPreviewBlock>& blocks)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("ScriptPreview"));
  setWindowTitle(QStringLiteral("Confirm"));
  setFont(WindowFont(12));

  auto* text = new QLabel(MessageBoxText(intro), this);  // owned by the dialog
  text->setObjectName(QStringLiteral("Intro"));
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);

  lines_ = new QPlainTextEdit(this);
  lines_->setObjectName(QStringLiteral("Lines"));
  lines_->setReadOnly(true);
  lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
  lines_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  QStringList shown;
  for (const TPreviewBlock& block : blocks) {
    if (!shown.isEmpty()) {
      shown << QString();
    }
    if (!block.Heading.empty()) {
      shown << QStringLiteral("! ") + MessageBoxText(block.Heading);
    }
    for (const std::string& line : block.Switch.Lines) {
      shown << MessageBoxText(line);
    }
  }
  lines_->setPlainText(shown.join(QLatin1Char('\n')));
  const int lineHeight = QFontMetrics(lines_->font()).lineSpacing();
  const int rows = std::clamp(static_cast<int>(shown.size()), 1, kShownLines);
  lines_->setFixedHeight(rows * lineHeight + 2 * lines_->frameWidth() +
                         static_cast<int>(2 * lines_->document()->documentMargin()) + 2);

  auto* copy = new QPushButton(QStringLiteral("&Copy lines"), this);
  copy->setObjectName(QStringLiteral("Copy"));
  copy->setAutoDefault(false);
  auto* send = new QPushButton(QStringLiteral("&Send"), this);
  send->setObjectName(QStringLiteral("Send"));
  send->setDefault(true);
  auto* back = new QPushButton(QStringLiteral("&Back"), this);
  back->setObjectName(QStringLiteral("Back"));
  back->setAutoDefault(false);
  connect(copy, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(LinesText()); });
  connect(send, &QPushButton::clicked, this, &QDialog::accept);
  connect(back, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;  // owned by the layout below
  buttons->addWidget(copy);
  buttons->addStretch();
  buttons->addWidget(send);
  buttons->addWidget(back);
  auto* layout = new QVBoxLayout(this);  // owned by the dialog
  layout->addWidget(text);
  layout->addWidget(lines_);
  layout->addLayout(buttons);
  setFixedWidth(kWidth);
  send->setFocus();
}

QString TScriptPreview::LinesText() const {
  return lines_->toPlainText();
}

bool AskToSendLines(QWidget* parent, const std::string& intro,
                    const std::vector<TPreviewBlock>& blocks, const TBoxAnswerer& answerer) {
  TScriptPreview box(parent, intro, blocks);
  if (answerer) {
    answerer(box);
    return box.result() == QDialog::Accepted;
  }
  return box.exec() == QDialog::Accepted;
}
