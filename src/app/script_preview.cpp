#include "app/script_preview.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "app/window_fonts.h"
#include "model/ansible_playbook.h"

namespace {

// Lines shown before the text box scrolls.
constexpr int kShownLines = 16;
constexpr int kWidth = 560;

// The user's documents folder, or the home folder where there is none: the save dialog opens
// a missing folder's nearest stand-in, the working folder, which the user never chose.
QString DocumentsFolder() {
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString AskWithSaveDialog(QWidget* parent, const QString& suggested) {
  return QFileDialog::getSaveFileName(parent, QStringLiteral("Save as Ansible playbook"), suggested,
                                      QStringLiteral("Ansible playbook (*.yml *.yaml)"));
}

// "<playbook's name without its last suffix>.inventory.yml" in the playbook's folder; a host
// name may hold dots, so only the last suffix goes.
QString InventoryPath(const QString& playbookPath) {
  const QFileInfo playbook(playbookPath);
  return playbook.dir().filePath(playbook.completeBaseName() + QStringLiteral(".inventory.yml"));
}

// Makes path hold exactly text, or leaves whatever it held: the text goes to a file beside it
// that replaces it only once whole. Empty when written, otherwise why not.
QString WriteWhole(const QString& path, const std::string& text) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return file.errorString();
  }
  file.write(text.data(), static_cast<qint64>(text.size()));
  return file.commit() ? QString() : file.errorString();
}

}  // namespace

TScriptPreview::TScriptPreview(QWidget* parent, const std::string& intro,
                               const std::vector<TPreviewBlock>& blocks, TSaveFileAsker askFile,
                               TBoxAnswerer answerer)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      askFile_(askFile ? std::move(askFile) : TSaveFileAsker(AskWithSaveDialog)),
      answerer_(std::move(answerer)) {
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
    switches_.push_back(block.Switch);
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
  auto* saveAnsible = new QPushButton(QStringLiteral("Save as &Ansible playbook..."), this);
  saveAnsible->setObjectName(QStringLiteral("SaveAnsible"));
  saveAnsible->setAutoDefault(false);
  // They shape the written files only; the lines sent by "Send" stay as previewed.
  alsoSaveToStartup_ = new QCheckBox(QStringLiteral("Also save to startup-config"), this);
  alsoSaveToStartup_->setObjectName(QStringLiteral("AlsoSaveToStartup"));
  alsoWriteInventory_ = new QCheckBox(QStringLiteral("Also write an inventory"), this);
  alsoWriteInventory_->setObjectName(QStringLiteral("AlsoWriteInventory"));
  saved_ = new QLabel(this);
  saved_->setObjectName(QStringLiteral("Saved"));
  saved_->setTextFormat(Qt::PlainText);
  saved_->setWordWrap(true);
  connect(copy, &QPushButton::clicked, this,
          [this] { QGuiApplication::clipboard()->setText(LinesText()); });
  connect(saveAnsible, &QPushButton::clicked, this, &TScriptPreview::SaveAnsiblePlaybook);
  connect(send, &QPushButton::clicked, this, &QDialog::accept);
  connect(back, &QPushButton::clicked, this, &QDialog::reject);

  // Copy and Save side by side, the playbook's ticks under Save, Send and Back apart on the
  // right.
  auto* buttons = new QGridLayout;  // owned by the layout below
  buttons->addWidget(copy, 0, 0);
  buttons->addWidget(saveAnsible, 0, 1);
  buttons->setColumnStretch(2, 1);
  buttons->addWidget(send, 0, 3);
  buttons->addWidget(back, 0, 4);
  buttons->addWidget(alsoSaveToStartup_, 1, 1, 1, 4);
  buttons->addWidget(alsoWriteInventory_, 2, 1, 1, 4);
  buttons->addWidget(saved_, 3, 0, 1, 5);
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

void TScriptPreview::SaveAnsiblePlaybook() {
  // 1. Where: offered in the documents folder under the first switch's name and today's date.
  const QDateTime now = QDateTime::currentDateTime();
  const std::string hostName = switches_.empty() ? std::string() : switches_.front().HostName;
  const std::string name =
      DefaultPlaybookName(hostName, now.toString(QStringLiteral("yyyy-MM-dd")).toStdString());
  const QString path =
      askFile_(this, DocumentsFolder() + QLatin1Char('/') + QString::fromStdString(name));
  if (path.isEmpty()) {
    return;
  }
  // 2. Both texts before any file: a line the writer refuses leaves nothing behind.
  const TPlaybookRequest request{
      .Switches = switches_,
      .SaveToStartup = alsoSaveToStartup_->isChecked(),
      .TarvelloVersion = TARVELLO_VERSION,
      .WrittenAt = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString()};
  std::vector<std::pair<QString, std::string>> files;
  try {
    files.emplace_back(path, AnsiblePlaybook(request));
    if (alsoWriteInventory_->isChecked()) {
      files.emplace_back(InventoryPath(path), AnsibleInventory(request));
    }
  } catch (const std::runtime_error& error) {
    ShowPlainMessage(this, error.what(), answerer_);
    return;
  }
  // 3. The files, each whole or not at all.
  QStringList written;
  for (const auto& [file, text] : files) {
    const QString why = WriteWhole(file, text);
    if (!why.isEmpty()) {
      ShowPlainMessage(this, "Cannot write " + file.toStdString() + " (" + why.toStdString() + ")",
                       answerer_);
      return;
    }
    written << QFileInfo(file).fileName();
  }
  saved_->setText(QStringLiteral("Saved ") + written.join(QStringLiteral(" and ")));
}

bool AskToSendLines(QWidget* parent, const std::string& intro,
                    const std::vector<TPreviewBlock>& blocks, const TBoxAnswerer& answerer) {
  TScriptPreview box(parent, intro, blocks, {}, answerer);
  return RunBox(box, answerer);
}
