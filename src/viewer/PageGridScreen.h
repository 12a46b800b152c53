// SPDX-FileCopyrightText: 2026 Quire developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PageGridModel.h"
#include "common/GridColumns.h"
#include "jobs/Job.h"
#include "ui/PasswordPrompt.h"
#include "ui/Screen.h"

#include <QUrl>
#include <QtQmlIntegration/qqmlintegration.h>

// Organises a PDF as a grid of its pages: select, reorder, turn and delete them, add the pages
// of another PDF, and save the result as a new PDF in the history.
class PageGridScreen : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Screens are made by the navigator")
    Q_PROPERTY(QString pdfFilePath READ pdfFilePath WRITE setPdfFilePath NOTIFY pdfFilePathChanged)
    Q_PROPERTY(PageGridModel* pages READ pages CONSTANT)
    Q_PROPERTY(int selectedCount READ selectedCount NOTIFY selectionChanged)
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY undoChanged)
    // Where the document picker starts: the folder of the last PDF chosen anywhere in the app.
    Q_PROPERTY(QUrl documentFolder READ documentFolder NOTIFY pdfFilePathChanged)
    Q_PROPERTY(PasswordPrompt* passwordPrompt READ passwordPrompt CONSTANT)
  public:
    explicit PageGridScreen(Services& services, QObject* parent = nullptr);

    [[nodiscard]] QString pdfFilePath() const { return m_pdfFilePath; }
    void setPdfFilePath(const QString& path);
    // The PDF to organise with the password it was opened with (empty when it needs none).
    void setPdf(const QString& path, const QByteArray& password);
    [[nodiscard]] PageGridModel* pages() { return &m_pages; }
    [[nodiscard]] int selectedCount() const;
    [[nodiscard]] bool canUndo() const { return !m_undo.empty(); }
    [[nodiscard]] QUrl documentFolder() const;
    [[nodiscard]] QString savedPath() const { return m_savedPath; }
    [[nodiscard]] Job& job() { return m_job; }
    [[nodiscard]] PasswordPrompt* passwordPrompt() { return &m_prompt; }

    // Two pages a row on a phone, more on a wider window, as the other grids.
    Q_INVOKABLE [[nodiscard]] static int columns(qreal gridWidth)
    {
        return GridColumns::columns(gridWidth, 12);
    }

    void viewDidLoad() override;
    void prepare(const QString& segue, Screen* destination) override;

    // Selection: one page alone, one page more or less, or every page from the last one chosen.
    Q_INVOKABLE void select(int index);
    Q_INVOKABLE void toggleSelected(int index);
    Q_INVOKABLE void selectRange(int index);
    Q_INVOKABLE void selectAll();
    Q_INVOKABLE void move(int from, int to);
    Q_INVOKABLE void rotateSelected(int degrees);
    Q_INVOKABLE void deleteSelected();
    Q_INVOKABLE void undo();
    // Asks the page for the document picker, whose choice comes back through appendPdf.
    Q_INVOKABLE void btnAppend() { emit documentPickerRequested(); }
    Q_INVOKABLE void appendPdf(const QUrl& url);
    Q_INVOKABLE void save();

  signals:
    void pdfFilePathChanged();
    void selectionChanged();
    void undoChanged();
    void documentPickerRequested();

  private:
    void addDocument(const QString& path, const QByteArray& password, const QString& failedTitle);
    void remember();
    void alert(const QString& title, const QString& message);

    QString m_pdfFilePath;
    QString m_savedPath;
    QByteArray m_savedPassword; // that protects the saved PDF, kept from its first protected input
    QStringList m_documents;
    QList<QByteArray> m_passwords; // of each document, while the screen is up
    QByteArray m_firstPassword;
    PageGridModel m_pages;
    std::vector<std::vector<PageGridModel::Page>> m_undo;
    int m_anchor = -1;
    PasswordPrompt m_prompt{*services().dispatcher};
    Job m_job{services()};
};
