// SPDX-License-Identifier: GPL-3.0-or-later
#include "questionbank/svgguard.h"

#include <QHash>
#include <QXmlStreamReader>
#include <vector>

#include "questionbank/picturedecoder.h"

namespace SvgGuard {
namespace {

struct Node {
    std::vector<int> children;
    QString useRef;   // the id a <use> draws again
    int target = -1;  // useRef resolved
};

// data:[<type>][;base64],<payload>: only a plain bitmap may be embedded; an
// embedded SVG would be rendered without this guard.
bool embeddedBitmap(const QString& uri) {
    const int comma = uri.indexOf(QLatin1Char(','));
    if (comma < 0) return false;
    const QString head = uri.left(comma);
    const QByteArray payload = uri.mid(comma + 1).toLatin1();
    const QByteArray bytes = head.endsWith(QLatin1String(";base64"), Qt::CaseInsensitive)
                                 ? QByteArray::fromBase64(payload)
                                 : QByteArray::fromPercentEncoding(payload);
    const QByteArray f = PictureDecoder::format(bytes);
    return !f.isEmpty() && f != "svg";
}

QString readTree(const QByteArray& bytes, std::vector<Node>& nodes) {
    QXmlStreamReader xml(bytes);
    QHash<QString, int> ids;
    std::vector<int> open;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
            case QXmlStreamReader::DTD:
                if (!xml.entityDeclarations().isEmpty()) return QStringLiteral("SVG 中声明了实体");
                break;
            case QXmlStreamReader::EntityReference:
                return QStringLiteral("SVG 中引用了未知的实体");
            case QXmlStreamReader::StartElement: {
                if (open.empty() && !nodes.empty()) return QStringLiteral("SVG 有多个根元素");
                if (open.empty() && xml.name() != QLatin1String("svg"))
                    return QStringLiteral("根元素不是 svg");
                if (int(nodes.size()) >= kMaxElements) return QStringLiteral("SVG 的元素过多");
                if (int(open.size()) >= kMaxDepth) return QStringLiteral("SVG 的嵌套过深");
                const int me = int(nodes.size());
                nodes.emplace_back();
                if (!open.empty()) nodes[open.back()].children.push_back(me);
                const bool isUse = xml.name() == QLatin1String("use");
                const bool isImage = xml.name() == QLatin1String("image");
                for (const QXmlStreamAttribute& a : xml.attributes()) {
                    if (a.name() == QLatin1String("id")) {
                        if (!ids.contains(a.value().toString()))
                            ids.insert(a.value().toString(), me);
                        continue;
                    }
                    if (a.name() != QLatin1String("href")) continue;  // href and xlink:href
                    const QString v = a.value().trimmed().toString();
                    if (v.startsWith(QLatin1Char('#'))) {
                        if (isUse) nodes[me].useRef = v.mid(1);
                    } else if (v.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
                        if (!isImage || !embeddedBitmap(v))
                            return QStringLiteral("SVG 中嵌入的内容不是位图");
                    } else {
                        return QStringLiteral("SVG 引用了外部文件");
                    }
                }
                open.push_back(me);
                break;
            }
            case QXmlStreamReader::EndElement:
                if (!open.empty()) open.pop_back();
                break;
            default:
                break;
        }
    }
    if (xml.hasError()) return QStringLiteral("SVG 文档有误：") + xml.errorString();
    if (nodes.empty()) return QStringLiteral("SVG 没有内容");
    for (Node& n : nodes) {
        if (n.useRef.isEmpty()) continue;
        n.target = ids.value(n.useRef, -1);
    }
    return {};
}

// How many elements the renderer would visit with every <use> drawn out,
// and how deep it would recurse; a <use> that reaches itself is refused.
QString checkExpansion(const std::vector<Node>& nodes) {
    enum State : char { Unseen, Open, Done };
    std::vector<State> state(nodes.size(), Unseen);
    std::vector<qint64> cost(nodes.size(), 0);
    std::vector<int> depth(nodes.size(), 0);
    struct Frame {
        int node;
        size_t next;  // next edge to follow: children, then the use target
    };
    const auto edgeCount = [&](int n) {
        return nodes[n].children.size() + (nodes[n].target >= 0 ? 1 : 0);
    };
    const auto edge = [&](int n, size_t i) {
        return i < nodes[n].children.size() ? nodes[n].children[i] : nodes[n].target;
    };
    std::vector<Frame> stack{{0, 0}};
    state[0] = Open;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next < edgeCount(f.node)) {
            const int to = edge(f.node, f.next++);
            if (state[to] == Open) return QStringLiteral("SVG 中的 use 引用了自身");
            if (state[to] == Unseen) {
                state[to] = Open;
                stack.push_back({to, 0});
            }
            continue;
        }
        const int n = f.node;
        qint64 c = 1;
        int d = 0;
        for (size_t i = 0; i < edgeCount(n); ++i) {
            const int to = edge(n, i);
            c = std::min(c + cost[to], kMaxExpandedElements + 1);
            d = std::max(d, depth[to]);
        }
        cost[n] = c;
        depth[n] = d + 1;
        state[n] = Done;
        stack.pop_back();
    }
    if (cost[0] > kMaxExpandedElements) return QStringLiteral("SVG 中的 use 展开后元素过多");
    if (depth[0] > 2 * kMaxDepth) return QStringLiteral("SVG 中的 use 展开后嵌套过深");
    return {};
}

}  // namespace

bool looksLikeSvg(const QByteArray& bytes) {
    int i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < bytes.size() && QChar::isSpace(uchar(bytes[i]))) ++i;
    if (i >= bytes.size() || bytes[i] != '<') return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name() == QLatin1String("svg");
    }
    return false;
}

QString check(const QByteArray& bytes) {
    std::vector<Node> nodes;
    const QString why = readTree(bytes, nodes);
    return why.isEmpty() ? checkExpansion(nodes) : why;
}

}  // namespace SvgGuard
