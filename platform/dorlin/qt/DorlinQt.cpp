#include "dorlin/qt/DorlinQt.h"

#include "dorlin/DorlinAnzeige.h"
#include "win32/MessageBox.h"
#include "win32/qt/QtPlatform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace {

// The button posts the cancel; Escape and the window's close button do the same. The window
// stays until the owner stops the progress. It is application-modal without blocking its
// caller: while the owner's work lets the loop turn, input reaches only this window, so the
// work's windows and data cannot be closed or started a second time under it.
class TDlgProgressQt : public QDialog {
public:
    explicit TDlgProgressQt(QWidget* parent) : QDialog(parent)
    {
        setWindowModality(Qt::ApplicationModal);
        setMinimumWidth(380);
        m_text = new QLabel(this);
        m_text->setTextFormat(Qt::PlainText);
        m_text->setWordWrap(true);
        m_bar = new QProgressBar(this);
        auto* abbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
        abbrechen->setAutoDefault(false);
        connect(abbrechen, &QPushButton::clicked, this, [] { Cancel(); });

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(abbrechen);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_text);
        layout->addWidget(m_bar);
        layout->addLayout(buttons);
    }

    void Show(const TDlgProgressStand& stand)
    {
        setWindowTitle(DisplayText(stand.titel));
        m_text->setText(DisplayText(stand.text));
        m_bar->setRange(0, stand.schritte);
        m_bar->setValue(stand.position);
    }

    void reject() override { Cancel(); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        Cancel();
    }

private:
    static void Cancel()
    {
        try {
            CancelDlgProgress();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "Abbrechen fehlgeschlagen: %s\n", e.what());
        }
    }

    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
};

// The about image may come with the Windows separator.
QPixmap loadImage(const std::string& file)
{
    QPixmap image;
    if (file.empty())
        return image;
    if (!image.load(QString::fromStdString(file))) {
        std::string slashed = file;
        std::replace(slashed.begin(), slashed.end(), '\\', '/');
        image.load(QString::fromStdString(slashed));
    }
    return image;
}

class TDorlinQt : public QObject, public TDorlinAnzeige {
public:
    explicit TDorlinQt(QObject* application) : QObject(application) { m_previous = SetDorlinAnzeige(this); }

    // Runs while the application is destroyed: widgets are left alone then.
    ~TDorlinQt() override
    {
        // A display installed after this one stays.
        TDorlinAnzeige* current = SetDorlinAnzeige(m_previous);
        if (current != this)
            SetDorlinAnzeige(current);
    }

    void Info(const std::string& titel, const std::string& versionLabel, const std::string& version,
              const std::string& bildDatei) override
    {
        QDialog dialog(DialogParent(nullptr));
        dialog.setWindowTitle(DisplayText(titel));
        auto* inhalt = new QHBoxLayout;
        QPixmap image = loadImage(bildDatei);
        if (!image.isNull()) {
            auto* bild = new QLabel(&dialog);
            bild->setPixmap(image);
            inhalt->addWidget(bild);
        }
        auto* versionText = new QLabel(DisplayText(versionLabel + " " + version), &dialog);
        versionText->setTextFormat(Qt::PlainText);
        inhalt->addWidget(versionText, 1);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addLayout(inhalt);
        layout->addWidget(buttons);
        dialog.exec();
    }

    bool Spracheinstellung(const TSpracheinstellungTexte& texte,
                           const std::map<std::string, std::string>& sprachen, int /*wert*/) override
    {
        QDialog dialog(DialogParent(nullptr));
        dialog.setWindowTitle(DisplayText(texte.Titel));
        auto* auswahl = new QLabel(DisplayText(texte.Auswahl), &dialog);
        auto* liste = new QListWidget(&dialog);
        for (const auto& [ext, name] : sprachen)
            liste->addItem(DisplayText(name));
        auto* buttons = new QDialogButtonBox(&dialog);
        auto* ok = buttons->addButton(DisplayText(texte.Ok), QDialogButtonBox::AcceptRole);
        buttons->addButton(DisplayText(texte.Abbrechen), QDialogButtonBox::RejectRole);
        ok->setEnabled(false);
        QObject::connect(liste, &QListWidget::itemSelectionChanged, ok,
                         [ok, liste] { ok->setEnabled(!liste->selectedItems().isEmpty()); });
        QObject::connect(liste, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(auswahl);
        layout->addWidget(liste);
        layout->addWidget(buttons);
        if (dialog.exec() != QDialog::Accepted || liste->selectedItems().isEmpty())
            return false;
        MessageBox(nullptr, texte.Geaendert + "\n" + texte.Neustart, texte.Titel, MB_OK | MB_ICONINFORMATION);
        return true;
    }

    void ProgressStart(const TDlgProgressStand& stand) override
    {
        QWidget* parent = DialogParent(stand.owner);
        if (m_progress && m_progress->parentWidget() != parent)
            ProgressStop();
        if (!m_progress)
            m_progress = new TDlgProgressQt(parent);
        m_progress->Show(stand);
        m_progress->show();
        m_progress->raise();
        ProcessPendingPaints();
    }

    void ProgressPosition(const TDlgProgressStand& stand) override { Update(stand); }
    void ProgressSchritte(const TDlgProgressStand& stand) override { Update(stand); }

    void ProgressStop() override
    {
        if (!m_progress)
            return;
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }

private:
    void Update(const TDlgProgressStand& stand)
    {
        if (!m_progress)
            return;
        m_progress->Show(stand);
        ProcessPendingPaints();
    }

    TDorlinAnzeige* m_previous = nullptr;
    // Owned here (or by the owner's window, which may take it along: the QPointer notices).
    QPointer<TDlgProgressQt> m_progress;
};

QPointer<TDorlinQt>& installed()
{
    static QPointer<TDorlinQt> instance;
    return instance;
}

} // namespace

void InstallDorlinQt()
{
    auto* application = QCoreApplication::instance();
    if (!application || installed())
        return;
    installed() = new TDorlinQt(application);
}
