#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

struct fz_context;
struct fz_document;
struct pdf_document;
struct pdf_obj;

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

    struct Bookmark {
        int level = 1;
        QString title;
        int page = -1; // 0-based, -1 if it leads to no page
        QString uri; // for web addresses
        bool open = false;
        QString color; // the C array's numbers, empty if absent
        int flags = -1; // F, -1 if absent
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
    // The outline as MuPDF reads it, with colours and flags from the items themselves.
    const QList<Bookmark> &bookmarks() const { return m_bookmarks; }
    // Each bookmark as "level|title|page (1-based) or uri|open or closed|C|F".
    QStringList outline() const;
    // Where the outline's links (Parent, Prev, Last) or counts disagree; empty if nowhere.
    QString outlineProblem() const { return m_outlineProblem; }
    QString label(int index) const; // the page's printed label
    QString catalog(const char *key) const { return m_catalog.value(key); } // printed, resolved
    int openActionPage() const { return m_openActionPage; } // 0-based, -1 if none
    QByteArray metadata() const { return m_metadata; }

    // Saves the file encrypted with a user password (AES-256).
    static bool encrypt(const QString &source, const QString &target, const QString &password);

private:
    void readPage(fz_context *ctx, fz_document *doc, int index);
    static int targetOf(fz_context *ctx, fz_document *doc, const char *uri);
    void readOutline(fz_context *ctx, fz_document *doc);
    int checkItems(fz_context *ctx, pdf_obj *parent, int depth, int &index);
    void readCatalog(fz_context *ctx, pdf_document *pdf);

    QString m_error;
    QList<Page> m_pages;
    QStringList m_infoKeys;
    QStringList m_infoValues;
    int m_fieldCount = 0;
    int m_fieldKidCount = 0;
    QString m_labels;
    QList<QPair<int, QString>> m_labelRanges; // first page, then "style|prefix|start"
    QList<Bookmark> m_bookmarks;
    QString m_outlineProblem;
    QMap<QString, QString> m_catalog;
    int m_openActionPage = -1;
    QByteArray m_metadata;
    int m_objectCount = 0;
};
