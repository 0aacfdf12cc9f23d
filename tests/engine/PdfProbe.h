#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct fz_context;
struct fz_document;

// Reads back what the engine wrote, through MuPDF (test-only).
class PdfProbe {
public:
    struct Link {
        QString uri; // for links to the web
        int targetPage = -1; // 0-based, for links inside the document
    };

    struct Page {
        QString text;
        QString mediaBox; // "x0 y0 x1 y1" as the page's own entries say, empty if absent
        QString cropBox;
        QString bleedBox;
        QString trimBox;
        QString artBox;
        int rotate = -1; // the page's own Rotate, -1 if absent
        double userUnit = 0; // own UserUnit, 0 if absent
        QList<Link> links;
        int annotationCount = 0;
        int objectNumber = 0; // of the page dictionary
    };

    explicit PdfProbe(const QString &path);
    ~PdfProbe();

    bool isOpen() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    int pageCount() const { return m_pages.size(); }
    const Page &page(int index) const { return m_pages.at(index); }
    QString info(const QString &key) const;
    int fieldCount() const { return m_fieldCount; }
    int fieldKidCount() const { return m_fieldKidCount; } // widgets under the first field
    QString pageLabels() const { return m_labels; } // the Nums array, printed
    int objectCount() const { return m_objectCount; }

    // Saves the file encrypted with a user password (AES-256).
    static bool encrypt(const QString &source, const QString &target, const QString &password);

private:
    void readPage(fz_context *ctx, fz_document *doc, int index);
    static int targetOf(fz_context *ctx, fz_document *doc, const char *uri);

    QString m_error;
    QList<Page> m_pages;
    QStringList m_infoKeys;
    QStringList m_infoValues;
    int m_fieldCount = 0;
    int m_fieldKidCount = 0;
    QString m_labels;
    int m_objectCount = 0;
};
