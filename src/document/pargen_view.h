#pragma once

#include "document/pargen_names.h"

#include <QDomDocument>
#include <QDomNode>
#include <QString>

// One parsed general parameters document (ParGen.xml), read once, and the
// values of its elements. The container is the document's first top-level
// node, whatever it is; elements are its children, found by exact name, the
// value being the element's text. Every reader of the document asks this view
// and passes the default it uses when an element is missing or unreadable.
class ParGen_View {
public:
    // No document: every getter gives the caller's default.
    ParGen_View() = default;

    // Reads the file at `path`, its name matched without regard to case. An
    // empty path or a missing file gives a view without document. Throws
    // Kc_Error naming the file when it exists but cannot be read or is not
    // well-formed (or lies beyond the bounds of every real document).
    static ParGen_View Read(const QString& path);
    // The document of a configuration folder: ParGen.xml found in `conf_dir`
    // without regard to case (the exact spelling preferred).
    static ParGen_View Read_In(const QString& conf_dir);

    bool Exists() const { return exists_; }
    // The file found, or the path asked for when there is none.
    const QString& Path() const { return path_; }

    // The element's text; false when there is no document, the element is
    // missing, or its content is not plain text.
    bool Text(QLatin1StringView name, QString& text) const;
    // True when the element is there, whatever its content.
    bool Has_Element(QLatin1StringView name) const;
    // The shared integer conversion of the element's text; `default_value`
    // when it is missing or no integer.
    int Number(QLatin1StringView name, int default_value) const;
    // The shared integer conversion only: false (value untouched) when the
    // element is missing or no integer.
    bool Try_Number(QLatin1StringView name, int& value) const;
    // On exactly when the text is "1".
    bool Flag(QLatin1StringView name) const;

private:
    QString path_;
    bool exists_ = false;
    QDomDocument document_;
    QDomNode container_;
};
