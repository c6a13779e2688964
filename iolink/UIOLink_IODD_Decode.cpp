// Reader of IODD files (1.0.1 and 1.1) and of the standard-definition file they refer to.
#include "iolink/UIOLink_IODD_Decode.h"
#include "iolink/IODD_Numbers.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <strings.h>
#include <sys/stat.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// ---- the parsed tree ----
// The reader walks the checked file's copy of the tree (platform::XmlNode), whose accessors are
// inline: it visits every node and attribute, some several times.

// Name equal to a literal, compared without strlen up to the first difference.
template <size_t N>
inline bool is(const char *s, const char (&lit)[N])
{
    for (size_t i = 0; i + 1 < N; ++i)
        if (s[i] != lit[i])
            return false;
    return s[N - 1] == 0;
}

inline bool sameName(const char *a, const char *b)
{
    for (; *a == *b; ++a, ++b)
        if (!*a)
            return true;
    return false;
}

using Attr = platform::XmlAttr;

// A node with the lookups the reader uses.
class Node : public platform::XmlNode {
public:
    Node() = default;
    Node(platform::XmlNode n) : platform::XmlNode(n) {}
    Node parent() const { return platform::XmlNode::parent(); }
    Node first_child() const { return platform::XmlNode::first_child(); }
    Node next_sibling() const { return platform::XmlNode::next_sibling(); }
    const void *key() const { return rec(); }

    // First attribute / child of a name; the literal forms compare inline.
    template <size_t N>
    Q_ALWAYS_INLINE Attr attr(const char (&lit)[N]) const
    {
        for (Attr a = first_attribute(); a; a = a.next_attribute())
            if (is(a.name(), lit))
                return a;
        return {};
    }
    Q_ALWAYS_INLINE Attr attribute(const char *name) const
    {
        for (Attr a = first_attribute(); a; a = a.next_attribute())
            if (sameName(a.name(), name))
                return a;
        return {};
    }
    template <size_t N>
    Q_ALWAYS_INLINE Node kid(const char (&lit)[N]) const
    {
        for (Node c = first_child(); c; c = c.next_sibling())
            if (is(c.name(), lit))
                return c;
        return {};
    }
    Q_ALWAYS_INLINE Node child(const char *name) const
    {
        for (Node c = first_child(); c; c = c.next_sibling())
            if (sameName(c.name(), name))
                return c;
        return {};
    }
};


const char *const kXsiNs = "http://www.w3.org/2001/XMLSchema-instance";
const char *const kXmlNs = "http://www.w3.org/XML/1998/namespace";

// A full decode keeps tens of thousands of short attribute texts. Instead of one heap block
// per QString they are converted into a few large shared UTF-16 blocks, each text followed by
// a NUL; every QString refers into its block and keeps it alive, so texts copied out of the
// model stay valid after the model is gone. References are counted in bulk: a new block is
// given one reference per character (no text takes fewer), and the unused ones are returned
// when the block is closed.
class TextBlocks {
public:
    TextBlocks() = default;
    TextBlocks(const TextBlocks &) = delete;
    TextBlocks &operator=(const TextBlocks &) = delete;
    ~TextBlocks() { close(); }

    QString get(const char *s)
    {
        const size_t len = std::strlen(s);
        if (len == 0)
            return QString::fromUtf8(s, 0);
        if (len >= kLongText)
            return QString::fromUtf8(s, qsizetype(len));
        if (m_used + qsizetype(len) + 1 > kBlockChars)
            open();
        char16_t *out = m_data + m_used;
        size_t i = 0;
        unsigned char high = 0;
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        __m128i highBits = zero;
        for (; i + 16 <= len; i += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s + i));
            highBits = _mm_or_si128(highBits, v);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_unpacklo_epi8(v, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i + 8), _mm_unpackhi_epi8(v, zero));
        }
        if (i + 8 <= len) {
            const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(s + i));
            highBits = _mm_or_si128(highBits, v);
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_unpacklo_epi8(v, zero));
            i += 8;
        }
        if (_mm_movemask_epi8(highBits))
            high = 0x80;
#endif
        for (; i < len; ++i) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            high |= c;
            out[i] = c;
        }
        qsizetype n = qsizetype(len);
        if (high & 0x80) {
            // Never longer in UTF-16 than in UTF-8.
            const QString wide = QString::fromUtf8(s, qsizetype(len));
            n = wide.size();
            std::memcpy(out, wide.constData(), size_t(n) * sizeof(char16_t));
        }
        out[n] = 0;
        m_used += n + 1;
        ++m_views;
        return QString(QStringPrivate(m_block, out, n));
    }

private:
    static constexpr qsizetype kBlockChars = 16384;
    static constexpr size_t kLongText = 2048;

    void open()
    {
        close();
        auto [d, data] = QTypedArrayData<char16_t>::allocate(kBlockChars);
        Q_CHECK_PTR(d);
        m_block = d;
        m_data = data;
        m_used = 0;
        m_views = 0;
        m_block->ref_.fetchAndAddRelaxed(int(kBlockChars));
    }
    void close()
    {
        if (!m_block)
            return;
        // Our own reference plus the ones no text took.
        const int unused = int(kBlockChars) - m_views + 1;
        if (m_block->ref_.fetchAndAddOrdered(-unused) == unused)
            QTypedArrayData<char16_t>::deallocate(m_block);
        m_block = nullptr;
        m_data = nullptr;
        m_used = kBlockChars;
    }

    QTypedArrayData<char16_t> *m_block = nullptr;
    char16_t *m_data = nullptr;
    qsizetype m_used = kBlockChars;
    int m_views = 0;
};

// The model's list entries likewise come from a few large chunks instead of one heap block
// each. Every entry holds the arena through its allocator; the chunks go with the last entry.
// While the decode runs the arena holds a large reserve of references, settled when it ends.
class ObjectArena {
public:
    static ObjectArena *create() { return new ObjectArena; }

    void *allocate(size_t size, size_t align)
    {
        size_t at = (m_used + align - 1) & ~(align - 1);
        if (!m_chunk || at + size > m_chunkSize) {
            const size_t chunkSize = std::max(kChunkBytes, size + align + sizeof(Chunk));
            auto *c = static_cast<Chunk *>(std::malloc(chunkSize));
            if (!c)
                throw std::bad_alloc();
            c->next = m_chunk;
            m_chunk = c;
            m_chunkSize = chunkSize;
            m_used = sizeof(Chunk);
            at = (m_used + align - 1) & ~(align - 1);
        }
        m_used = at + size;
        ++m_allocated;
        return reinterpret_cast<char *>(m_chunk) + at;
    }
    void release()
    {
        if (m_live.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }
    // The decode that fills the arena is over.
    void finish()
    {
        const int64_t unused = kBuilding - m_allocated;
        if (m_live.fetch_sub(unused, std::memory_order_acq_rel) == unused)
            delete this;
    }

private:
    struct alignas(std::max_align_t) Chunk {
        Chunk *next;
    };
    static constexpr size_t kChunkBytes = 32768;
    static constexpr int64_t kBuilding = int64_t(1) << 60;

    ObjectArena() = default;
    ~ObjectArena()
    {
        while (m_chunk) {
            Chunk *next = m_chunk->next;
            std::free(m_chunk);
            m_chunk = next;
        }
    }

    std::atomic<int64_t> m_live{kBuilding};
    int64_t m_allocated = 0;
    Chunk *m_chunk = nullptr;
    size_t m_chunkSize = 0;
    size_t m_used = 0;
};

template <class T>
struct ArenaAllocator {
    using value_type = T;
    ObjectArena *arena;
    explicit ArenaAllocator(ObjectArena *a) : arena(a) {}
    template <class U>
    ArenaAllocator(const ArenaAllocator<U> &o) : arena(o.arena) {}
    T *allocate(size_t n) { return static_cast<T *>(arena->allocate(n * sizeof(T), alignof(T))); }
    void deallocate(T *, size_t) { arena->release(); }
    template <class U>
    bool operator==(const ArenaAllocator<U> &o) const { return arena == o.arena; }
};

thread_local ObjectArena *t_arena = nullptr;

// Objects held by std::unique_ptr in the model: a header in front says where they came from.
struct alignas(std::max_align_t) OwnedHeader {
    ObjectArena *arena;
};

void *newOwned(size_t size)
{
    ObjectArena *arena = t_arena;
    void *p = arena ? arena->allocate(sizeof(OwnedHeader) + size, alignof(OwnedHeader))
                    : std::malloc(sizeof(OwnedHeader) + size);
    if (!p)
        throw std::bad_alloc();
    static_cast<OwnedHeader *>(p)->arena = arena;
    return static_cast<OwnedHeader *>(p) + 1;
}

void deleteOwned(void *p) noexcept
{
    if (!p)
        return;
    OwnedHeader *h = static_cast<OwnedHeader *>(p) - 1;
    if (h->arena)
        h->arena->release();
    else
        std::free(h);
}

// Default-initialized: every member of the model has its own initializer, and value
// initialization would first clear each object.
template <class T>
std::shared_ptr<T> newShared()
{
    return t_arena ? std::allocate_shared_for_overwrite<T>(ArenaAllocator<T>(t_arena))
                   : std::make_shared_for_overwrite<T>();
}

template <class T>
std::unique_ptr<T> newOwnedObject()
{
    return std::unique_ptr<T>(new T);
}

thread_local TextBlocks *t_texts = nullptr;
class NamespaceCache;
thread_local NamespaceCache *t_namespaces = nullptr;

inline QString qs(const char *s) { return t_texts ? t_texts->get(s) : QString::fromUtf8(s); }

// Which namespace a prefix is bound to, remembered per element for one document: the
// namespace of xsi:type is looked up for every data type, and walking up to the root each
// time would cost more than the rest of the type.
class NamespaceCache {
public:
    // Cached binding of prefix at node, or false when not known.
    bool find(const void *node, const char *prefix, size_t len, const char *&bound) const
    {
        if (!samePrefix(prefix, len))
            return false;
        const Slot &s = m_slots[slotOf(node)];
        if (s.node != node)
            return false;
        bound = s.bound;
        return true;
    }
    // Whether the declared namespace bound (a text of the document) is ns.
    bool boundTo(const char *bound, const char *ns)
    {
        if (bound != m_lastBound || ns != m_lastNs) {
            m_lastBound = bound;
            m_lastNs = ns;
            m_lastAnswer = std::strcmp(bound, ns) == 0;
        }
        return m_lastAnswer;
    }
    void store(const void *node, const char *prefix, size_t len, const char *bound)
    {
        if (!m_prefix) {
            m_prefix = prefix;
            m_prefixLen = len;
        }
        if (samePrefix(prefix, len))
            m_slots[slotOf(node)] = {node, bound};
    }

private:
    struct Slot {
        const void *node = nullptr;
        const char *bound = nullptr;
    };
    bool samePrefix(const char *prefix, size_t len) const
    {
        return m_prefix && len == m_prefixLen && std::memcmp(prefix, m_prefix, len) == 0;
    }
    static size_t slotOf(const void *node) { return (reinterpret_cast<uintptr_t>(node) >> 4) % kSlots; }
    static constexpr size_t kSlots = 509;
    Slot m_slots[kSlots];
    const char *m_prefix = nullptr;  // the first prefix asked for (almost always "xsi")
    size_t m_prefixLen = 0;
    const char *m_lastBound = nullptr;
    const char *m_lastNs = nullptr;
    bool m_lastAnswer = false;
};

// Makes text blocks, an object arena and a namespace cache current for one decode (of one
// document: the cache knows the elements of one document only).
struct DecodeScope {
    TextBlocks texts;
    NamespaceCache namespaces;
    TextBlocks *previousTexts = t_texts;
    ObjectArena *arena = ObjectArena::create();
    ObjectArena *previousArena = t_arena;
    NamespaceCache *previousNamespaces = t_namespaces;
    DecodeScope()
    {
        t_texts = &texts;
        t_arena = arena;
        t_namespaces = &namespaces;
    }
    ~DecodeScope()
    {
        t_texts = previousTexts;
        t_arena = previousArena;
        t_namespaces = previousNamespaces;
        arena->finish();
    }
    DecodeScope(const DecodeScope &) = delete;
    DecodeScope &operator=(const DecodeScope &) = delete;
};

// Element name compared after trimming and upper-casing (ASCII).
template <size_t N>
Q_ALWAYS_INLINE bool nameIs(Node n, const char (&upper)[N])
{
    const char *s = n.name();
    while (iodd_numbers::isBlank(*s))
        ++s;
    size_t i = 0;
    for (; upper[i]; ++i) {
        char c = s[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != upper[i])
            return false;
    }
    for (s += i; *s; ++s)
        if (!iodd_numbers::isBlank(*s))
            return false;
    return true;
}

template <size_t N>
QString textAttr(Node n, const char (&name)[N])
{
    const Attr a = n.attr(name);
    return a ? qs(a.value()) : QString();
}

template <size_t N>
void textAttrIfPresent(Node n, const char (&name)[N], QString &into)
{
    if (const Attr a = n.attr(name))
        into = qs(a.value());
}

template <size_t N>
bool flagAttr(Node n, const char (&name)[N])
{
    return is(n.attr(name).value(), "true");
}

template <size_t N>
qint32 intAttr(Node n, const char (&name)[N], qint32 def)
{
    const Attr a = n.attr(name);
    return a ? iodd_numbers::toInt32(a.value(), def) : def;
}

template <size_t N>
qint64 int64Attr(Node n, const char (&name)[N], qint64 def)
{
    const Attr a = n.attr(name);
    return a ? iodd_numbers::toInt64(a.value(), def) : def;
}

template <size_t N>
float floatAttr(Node n, const char (&name)[N], float def)
{
    const Attr a = n.attr(name);
    return a ? iodd_numbers::toFloat(a.value(), def) : def;
}

// Namespace bound to prefix at n (declarations of n and its ancestors); nullptr when undeclared.
const char *namespaceOf(Node n, const char *prefix, size_t prefixLen)
{
    NamespaceCache *cache = t_namespaces;
    const void *walked[32];
    size_t walkedCount = 0;
    const char *bound = nullptr;
    for (; n && n.type() == pugi::node_element; n = n.parent()) {
        const void *key = n.key();
        if (cache && cache->find(key, prefix, prefixLen, bound))
            break;
        if (walkedCount < std::size(walked))
            walked[walkedCount++] = key;
        bool declared = false;
        for (Attr a = n.first_attribute(); a; a = a.next_attribute()) {
            const char *an = a.name();
            if (an[0] == 'x' && std::strncmp(an, "xmlns:", 6) == 0 && std::strncmp(an + 6, prefix, prefixLen) == 0
                && an[6 + prefixLen] == 0) {
                bound = a.value();
                declared = true;
                break;
            }
        }
        if (declared)
            break;
    }
    // Every element walked up to the declaring one (or the root) has the same binding.
    if (cache)
        for (size_t i = 0; i < walkedCount; ++i)
            cache->store(walked[i], prefix, prefixLen, bound);
    return bound;
}

// Whether a declared namespace is ns; the same declaration is asked about again and again.
bool boundTo(const char *bound, const char *ns)
{
    NamespaceCache *cache = t_namespaces;
    return cache ? cache->boundTo(bound, ns) : std::strcmp(bound, ns) == 0;
}

// Attribute by namespace and local name, whatever prefix the file binds to that namespace.
// The usual prefix is accepted also when the file forgot to declare it.
Attr nsAttribute(Node n, const char *ns, const char *local, const char *usualPrefix)
{
    const size_t usualLen = std::strlen(usualPrefix);
    for (Attr a = n.first_attribute(); a; a = a.next_attribute()) {
        const char *an = a.name();
        const char *colon = an;
        while (*colon && *colon != ':')
            ++colon;
        if (!*colon || !sameName(colon + 1, local))
            continue;
        const size_t plen = size_t(colon - an);
        if (plen == 3 && std::strncmp(an, "xml", 3) == 0) {
            if (std::strcmp(ns, kXmlNs) == 0)
                return a;  // the xml prefix is bound for good
            continue;
        }
        const char *bound = namespaceOf(n, an, plen);
        if (bound ? boundTo(bound, ns) : (plen == usualLen && std::strncmp(an, usualPrefix, plen) == 0))
            return a;
    }
    return {};
}

enum class Kind {
    None, BooleanT, UIntegerT, IntegerT, Float32T, StringT, OctetStringT, TimeT, TimeSpanT,
    ArrayT, RecordT, ProcessDataInUnionT, ProcessDataOutUnionT, Unknown
};

struct KindName {
    const char *name;
    size_t len;
    Kind kind;
};
#define IODD_KIND(n) {#n, sizeof(#n) - 1, Kind::n}
const KindName kKinds[] = {
    IODD_KIND(BooleanT), IODD_KIND(UIntegerT), IODD_KIND(IntegerT), IODD_KIND(Float32T),
    IODD_KIND(StringT), IODD_KIND(OctetStringT), IODD_KIND(TimeT), IODD_KIND(TimeSpanT),
    IODD_KIND(ArrayT), IODD_KIND(RecordT), IODD_KIND(ProcessDataInUnionT), IODD_KIND(ProcessDataOutUnionT),
};
#undef IODD_KIND

bool isSimple(Kind k) { return k >= Kind::BooleanT && k <= Kind::TimeSpanT; }

// The xsi:type of n, trimmed, compared without regard to case; a prefix on the value (a
// qualified type name) is dropped. None when there is no type, Unknown for any other text.
Kind typeKind(Node n, const char **raw = nullptr)
{
    const char *s = nsAttribute(n, kXsiNs, "type", "xsi").value();
    if (raw)
        *raw = s;
    while (iodd_numbers::isBlank(*s))
        ++s;
    const char *e = s + std::strlen(s);
    while (e > s && iodd_numbers::isBlank(e[-1]))
        --e;
    for (const char *c = e; c > s; --c)
        if (c[-1] == ':') {
            s = c;
            break;
        }
    const size_t len = size_t(e - s);
    if (len == 0)
        return Kind::None;
    for (const KindName &k : kKinds)
        if (k.len == len && strncasecmp(k.name, s, len) == 0)
            return k.kind;
    return Kind::Unknown;
}

Kind kindFromUpper(const QString &k)
{
    for (const KindName &kn : kKinds)
        if (k.compare(QLatin1String(kn.name), Qt::CaseInsensitive) == 0)
            return kn.kind;
    return k.isEmpty() ? Kind::None : Kind::Unknown;
}

// Number of child elements, to size a list once.
size_t elementCount(Node n)
{
    size_t count = 0;
    for (Node c = n.first_child(); c; c = c.next_sibling())
        count += c.type() == pugi::node_element;
    return count;
}

// Calls each(child) for every element child of parent's child `name`, after making room for them
// in `room`; false when parent has no such child.
template <size_t N, class Room, class Each>
bool forEachElementOf(Node parent, const char (&name)[N], Room &room, Each each)
{
    const Node list = parent.kid(name);
    if (!list)
        return false;
    room.reserve(room.size() + elementCount(list));
    for (Node c = list.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            each(c);
    return true;
}

bool inside(const QByteArray &bytes, const char *p)
{
    return p >= bytes.constData() && p < bytes.constData() + bytes.size();
}

} // namespace

// ---- model objects held by std::unique_ptr ----

void *TSimpleDataType::operator new(size_t size) { return newOwned(size); }
void TSimpleDataType::operator delete(void *p, size_t) noexcept { deleteOwned(p); }
void *TComplexDataType::operator new(size_t size) { return newOwned(size); }
void TComplexDataType::operator delete(void *p, size_t) noexcept { deleteOwned(p); }
void *TDataType::operator new(size_t size) { return newOwned(size); }
void TDataType::operator delete(void *p, size_t) noexcept { deleteOwned(p); }
void *TCondition::operator new(size_t size) { return newOwned(size); }
void TCondition::operator delete(void *p, size_t) noexcept { deleteOwned(p); }
void *TProcessDataInOut::operator new(size_t size) { return newOwned(size); }
void TProcessDataInOut::operator delete(void *p, size_t) noexcept { deleteOwned(p); }

// ---- failures ----

void TIODD::fail(platform::XmlNode at, const QString &what) const
{
    failAtLine(m_parsing ? m_parsing->lineOf(at) : 0, what);
}

void TIODD::failAtLine(int line, const QString &what) const
{
    const QString file = m_parsing ? m_parsing->fileName() : m_fileName;
    if (line > 0)
        throw EIODDError(QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(what));
    throw EIODDError(QStringLiteral("%1: %2").arg(file, what));
}

// Sizes and places the data layout is built from, as the schema bounds them.
const TIODD::Range TIODD::kIntegerBits{1, 64};
const TIODD::Range TIODD::kStringOctets{1, 232};
const TIODD::Range TIODD::kArrayCount{1, 255};
const TIODD::Range TIODD::kRecordBits{1, 1856};
const TIODD::Range TIODD::kBitOffset{0, 1855};
const TIODD::Range TIODD::kProcessDataBits{1, 256};

// A text that is no number keeps the default; a number outside the range stops the decode, as a
// layout built from a wrapped or negative size would map the wrong bits.
qint32 TIODD::rangedAttr(platform::XmlAttr a, Range range, qint32 def) const
{
    if (!a)
        return def;
    int64_t v = 0;
    const iodd_numbers::Parsed p = iodd_numbers::parseDecimal(a.value(), v);
    if (p == iodd_numbers::Parsed::NotANumber)
        return def;
    if (p == iodd_numbers::Parsed::Ok && v >= range.min && v <= range.max)
        return qint32(v);
    failAtLine(m_parsing ? m_parsing->lineOf(a) : 0,
               QStringLiteral("attribute \"%1\" out of range: \"%2\" (allowed %3 to %4)")
                   .arg(qs(a.name()), qs(a.value()))
                   .arg(range.min)
                   .arg(range.max));
}

// A data type reference is kept until the collections it may point into are read.
void TIODD::noteTypeRef(platform::XmlAttr datatypeId)
{
    if (datatypeId)
        m_typeRefs.push_back(datatypeId);
}

// Every noted reference must name a data type of the collections: an unresolved one would
// answer empty types and lengths later, in the middle of a configuration.
void TIODD::checkTypeRefs(const TDataTypeCollection &own, const TDataTypeCollection *standard, const QString &holders)
{
    std::vector<platform::XmlAttr> refs;
    refs.swap(m_typeRefs);
    for (const platform::XmlAttr &ref : refs) {
        const QString id = qs(ref.value());
        if (own.GetDTIndex(id) >= 0 || (standard && standard->GetDTIndex(id) >= 0))
            continue;
        failAtLine(m_parsing ? m_parsing->lineOf(ref) : 0,
                   QStringLiteral("DatatypeRef to datatype \"%1\", which %2").arg(id, holders));
    }
}

QString TIODD::requireAttr(platform::XmlNode n_, const char *name) const
{
    const Node n(n_);
    const Attr a = n.attribute(name);
    if (!a)
        fail(n, QStringLiteral("attribute \"%1\" missing in element \"%2\"").arg(qs(name), qs(n.name())));
    return qs(a.value());
}

QString TIODD::requireTextId(platform::XmlNode parent_, const char *child) const
{
    const Node parent(parent_);
    return requireAttr(parent.child(child), "textId");
}

// Kind of a SimpleDatatype element; a type the schema does not know stops the decode, as a
// silently dropped item would shift every later field of the device's data.
int TIODD::simpleKind(platform::XmlNode n_) const
{
    const Node n(n_);
    const char *raw = nullptr;
    const Kind k = typeKind(n, &raw);
    if (k == Kind::Unknown || (k != Kind::None && !isSimple(k)))
        fail(n, QStringLiteral("unknown data type \"%1\"").arg(qs(raw)));
    return int(k);
}

void TIODD::parseFile(const QString &path, platform::XmlFile &xml)
{
    m_parsing = &xml;
    if (!xml.load(path, pugi::parse_default))
        throw EIODDError(xml.error().message());
}

// ---- decode ----

bool TIODD::Decode_IODD(const QString &IODD_FileName, bool Simple_Decode)
{
    struct stat st;
    if (::stat(QFile::encodeName(IODD_FileName).constData(), &st) != 0 ? errno == ENOENT || errno == ENOTDIR
                                                                          : S_ISDIR(st.st_mode))
        return false;
    m_fileName = IODD_FileName;
    m_typeRefs.clear();
    m_standardRead = false;
    StandardDef_Missing.clear();
    std::optional<DecodeScope> scope;
    if (!Simple_Decode)
        scope.emplace();
    parseFile(IODD_FileName, Xml1);
    const Node root = Xml1.documentElement();
    if (std::strcmp(root.name(), "IODevice") != 0) {
        fail(root, root ? QStringLiteral("not an IO device description (root element \"%1\")").arg(qs(root.name()))
                        : QStringLiteral("no root element"));
    }
    if (!Simple_Decode) {
        Read_DocumentInfo();
        Read_ProfileHeader();
        Read_StandardDef();
        m_parsing = &Xml1;
    }
    Read_ProfileBody(Simple_Decode);
    if (m_standardRead)
        checkTypeRefs(ProfileBody.DeviceFunction.DataTypeCollection, &SD_DataTypeCollection,
                      QStringLiteral("neither the file nor the standard definitions hold"));
    m_typeRefs.clear();  // without standard definitions such references stay unresolved
    Read_ExternalTextCollection();
    if (!Simple_Decode)
        Read_CommNetworkProfile();
    return true;
}

bool TIODD::Read_DocumentInfo()
{
    const Node di = Node(Xml1.root()).child("IODevice").child("DocumentInfo");
    if (!di)
        return false;
    DocumentInfo.Version = requireAttr(di, "version");
    DocumentInfo.ReleaseDate = requireAttr(di, "releaseDate");
    DocumentInfo.Copyright = requireAttr(di, "copyright");
    return true;
}

bool TIODD::Read_ProfileHeader()
{
    const Node ph = Node(Xml1.root()).child("IODevice").child("ProfileHeader");
    if (!ph)
        return false;
    auto text = [&](Node parent, const char *name, QString &into) {
        if (const Node c = parent.child(name))
            into = qs(c.child_value());
    };
    text(ph, "ProfileIdentification", ProfileHeader.ProfileIdentification);
    if (const Node rev = ph.kid("ProfileRevision"))
        ProfileHeader.ProfileRevision = std::strcmp(rev.child_value(), "1.1") == 0 ? prPR11 : prPR10;
    text(ph, "ProfileName", ProfileHeader.ProfileName);
    text(ph, "ProfileSource", ProfileHeader.ProfileSource);
    text(ph, "ProfileClassID", ProfileHeader.ProfileClassID);
    if (const Node iso = ph.kid("ISO15745Reference")) {
        text(iso, "ISO15745Part", ProfileHeader.ISO15745Part);
        text(iso, "ISO15745Edition", ProfileHeader.ISO15745Edition);
        text(iso, "ProfileTechnology", ProfileHeader.ProfileTechnology);
    }
    return true;
}

namespace {

// Standard-definition files change rarely and every decode needs one: each file is read once
// and shared until it changes on disk.
struct SdCacheEntry {
    qint64 size = -1;
    qint64 mtimeNs = -1;
    qint64 inode = -1;
    std::shared_ptr<const TStandardDefinitions> sd;
};
std::mutex g_sdMutex;
std::map<QString, SdCacheEntry> g_sdCache;

bool fileStamp(const QString &path, SdCacheEntry &e)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    e.size = qint64(st.st_size);
    e.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    e.inode = qint64(st.st_ino);
    return true;
}

} // namespace

bool TIODD::Read_StandardDef()
{
    const QString name = ProfileHeader.ProfileRevision == prPR11 ? QStringLiteral("IODD-StandardDefinitions1.1.xml")
                                                                 : QStringLiteral("IODD-StandardDefinitions1.0.1.xml");
    const QString path = StandardDef_Path + name;
    SdCacheEntry stamp;
    if (!fileStamp(path, stamp)) {
        StandardDef_Missing = name;
        return false;
    }
    std::shared_ptr<const TStandardDefinitions> cached;
    {
        std::lock_guard<std::mutex> lock(g_sdMutex);
        const auto it = g_sdCache.find(path);
        if (it != g_sdCache.end() && it->second.size == stamp.size && it->second.mtimeNs == stamp.mtimeNs
            && it->second.inode == stamp.inode)
            cached = it->second.sd;
    }
    if (cached) {
        m_sd = cached;
    } else {
        auto sd = std::make_shared<TStandardDefinitions>();
        m_typeRefs.clear();
        const DecodeScope sdScope;  // cached for long: its texts and entries get blocks of their own
        parseFile(path, sd->Xml);
        const Node root = Node(sd->Xml.root()).child("IODDStandardDefinitions");
        if (!root)
            fail(sd->Xml.documentElement(), QStringLiteral("not a standard-definition file"));
        Read_SD_ExternalTextCollection(root, *sd);
        Read_SD_DatatypeCollection(root, *sd);
        Read_SD_VariableCollection(root, *sd);
        Read_SD_EventCollection(root, *sd);
        checkTypeRefs(sd->DataTypeCollection, nullptr, QStringLiteral("the standard definitions do not hold"));
        m_sd = sd;
        stamp.sd = sd;
        std::lock_guard<std::mutex> lock(g_sdMutex);
        g_sdCache[path] = stamp;
    }
    // Entries are shared with every other model read against this file.
    SD_ExtTextCol = m_sd->ExtTextCol;
    SD_DataTypeCollection = m_sd->DataTypeCollection;
    SD_VariableCollection = m_sd->VariableCollection;
    SD_EventCollection.Event_List = m_sd->EventCollection.Event_List;
    m_standardRead = true;
    return true;
}

void TIODD::readTextTable(platform::XmlNode lang_, TExtTextCol &col, bool onlyTextElements)
{
    const Node lang(lang_);
    const Attr code = nsAttribute(lang, kXmlNs, "lang", "xml");
    if (!code)
        fail(lang, QStringLiteral("attribute \"xml:lang\" missing in element \"%1\"").arg(qs(lang.name())));
    col.Lang_Code_Primary = qs(code.value());
    col.Erase_All();
    const qsizetype count = qsizetype(elementCount(lang));
    col.List_Ids.reserve(count);
    col.PriLang_Values.reserve(count);
    for (Node t = lang.first_child(); t; t = t.next_sibling()) {
        if (t.type() != pugi::node_element)
            continue;
        if (onlyTextElements && !is(t.name(), "Text"))
            continue;
        Attr id, value;
        for (Attr a = t.first_attribute(); a; a = a.next_attribute()) {
            const char *n = a.name();
            if (!id && is(n, "id"))
                id = a;
            else if (!value && is(n, "value"))
                value = a;
        }
        if (!id)
            requireAttr(t, "id");
        if (!value)
            requireAttr(t, "value");
        // Kept as UTF-8 in the file's bytes until asked for; a file that the parser had
        // to convert to UTF-8 has its texts elsewhere, so they are taken now.
        const QByteArray &text = m_parsing->text();
        if (inside(text, id.value()) && inside(text, value.value())) {
            col.List_Ids.appendFromFile(id.value(), text);
            col.PriLang_Values.appendFromFile(value.value(), text);
        } else {
            col.List_Ids.append(qs(id.value()));
            col.PriLang_Values.append(qs(value.value()));
        }
    }
}

bool TIODD::Read_SD_ExternalTextCollection(platform::XmlNode root_, TStandardDefinitions &sd)
{
    const Node root(root_);
    const Node etc = root.kid("ExternalTextCollection");
    if (!etc)
        return false;
    const Node pl = etc.kid("PrimaryLanguage");
    if (!pl)
        fail(etc, QStringLiteral("element \"PrimaryLanguage\" missing"));
    readTextTable(pl, sd.ExtTextCol, true);
    return true;
}

bool TIODD::Read_SD_DatatypeCollection(platform::XmlNode root_, TStandardDefinitions &sd)
{
    auto &list = sd.DataTypeCollection.ListDataType;
    list.clear();
    return forEachElementOf(Node(root_), "DatatypeCollection", list, [&](Node c) {
        auto dt = newShared<TDataType>();
        if (Read_DataType(c, *dt))
            list.push_back(std::move(dt));
    });
}

bool TIODD::Read_SD_VariableCollection(platform::XmlNode root_, TStandardDefinitions &sd)
{
    TVariableCollection &col = sd.VariableCollection;
    return forEachElementOf(Node(root_), "VariableCollection", col.Var_List, [&](Node c) {
        auto var = newShared<TVariable>();
        bool isRef = false;
        if (Read_Variable(c, *var, isRef))
            (isRef ? col.StdVar_List : col.Var_List).push_back(std::move(var));
    });
}

bool TIODD::Read_SD_EventCollection(platform::XmlNode root_, TStandardDefinitions &sd)
{
    auto &list = sd.EventCollection.Event_List;
    return forEachElementOf(Node(root_), "EventCollection", list, [&](Node c) {
        if (!nameIs(c, "EVENT"))
            return;
        auto ev = newShared<TEventData>();
        bool isRef = false;
        if (Read_Event(c, *ev, isRef) && !isRef)
            list.push_back(std::move(ev));
    });
}

// ---- profile body ----

bool TIODD::Read_ProfileBody(bool Simple_Decode)
{
    const Node pb = Node(Xml1.root()).child("IODevice").child("ProfileBody");
    if (!pb)
        return false;
    Read_ProfileBody_DeviceIdentity(pb);
    if (Simple_Decode)
        return true;
    const Node df = pb.kid("DeviceFunction");
    if (!df)
        return false;
    Read_ProfileBody_DeviceFunction_Features(df);
    Read_ProfileBody_DeviceFunction_DataTypeCollection(df);
    Read_ProfileBody_DeviceFunction_VariableCollection(df);
    Read_ProfileBody_DeviceFunction_ProcessDataCollection(df);
    Read_ProfileBody_DeviceFunction_EventCollection(df);
    Read_ProfileBody_DeviceFunction_UserInterface(df);
    return true;
}

bool TIODD::Read_ProfileBody_DeviceIdentity(platform::XmlNode ProBody_)
{
    const Node ProBody(ProBody_);
    const Node di = ProBody.kid("DeviceIdentity");
    if (!di)
        return false;
    TDeviceIdentity &id = ProfileBody.DeviceIdentity;
    textAttrIfPresent(di, "vendorId", id.VendorId);
    textAttrIfPresent(di, "vendorName", id.VendorName);
    textAttrIfPresent(di, "deviceId", id.DeviceId);
    if (di.kid("VendorText"))
        id.VendorText = requireTextId(di, "VendorText");
    if (di.kid("VendorUrl"))
        id.VendorUrl = requireTextId(di, "VendorUrl");
    if (const Node logo = di.kid("VendorLogo"))
        id.VendorLogo = requireAttr(logo, "name");
    if (di.kid("DeviceName"))
        id.DeviceName = requireTextId(di, "DeviceName");
    if (di.kid("DeviceFamily"))
        id.DeviceFamily = requireTextId(di, "DeviceFamily");
    if (const Node dvc = di.kid("DeviceVariantCollection")) {
        for (Node v = dvc.first_child(); v; v = v.next_sibling()) {
            if (!is(v.name(), "DeviceVariant"))
                continue;
            auto dv = newShared<TDeviceVariant>();
            textAttrIfPresent(v, "productId", dv->ProductId);
            textAttrIfPresent(v, "deviceSymbol", dv->DeviceSymbol);
            textAttrIfPresent(v, "deviceIcon", dv->DeviceIcon);
            // IODD 1.0.1 names these two ProductName and ProductText.
            if (v.kid("Name"))
                dv->Name = requireTextId(v, "Name");
            else if (v.kid("ProductName"))
                dv->Name = requireTextId(v, "ProductName");
            if (v.kid("Description"))
                dv->Description = requireTextId(v, "Description");
            else if (v.kid("ProductText"))
                dv->Description = requireTextId(v, "ProductText");
            id.DeviceVariant_List.push_back(std::move(dv));
        }
    }
    return true;
}

bool TIODD::Read_ProfileBody_DeviceFunction_Features(platform::XmlNode DevFun_)
{
    const Node DevFun(DevFun_);
    const Node f = DevFun.kid("Features");
    if (!f)
        return false;
    TFeatures &ft = ProfileBody.DeviceFunction.Features;
    ft.BlockParameter = flagAttr(f, "blockParameter");
    ft.DataStorage = flagAttr(f, "dataStorage");
    const Node sal = f.kid("SupportedAccessLocks");
    if (!sal)
        return false;
    ft.SAL_LocalUserInterface = flagAttr(sal, "localUserInterface");
    ft.SAL_DataStorage = flagAttr(sal, "dataStorage");
    ft.SAL_Parameter = flagAttr(sal, "parameter");
    ft.SAL_LocalParameterization = flagAttr(sal, "localParameterization");
    return true;
}

bool TIODD::Read_ProfileBody_DeviceFunction_DataTypeCollection(platform::XmlNode DevFun_)
{
    auto &list = ProfileBody.DeviceFunction.DataTypeCollection.ListDataType;
    return forEachElementOf(Node(DevFun_), "DatatypeCollection", list, [&](Node c) {
        auto dt = newShared<TDataType>();
        if (Read_DataType(c, *dt))
            list.push_back(std::move(dt));
    });
}

bool TIODD::Read_ProfileBody_DeviceFunction_VariableCollection(platform::XmlNode DevFun_)
{
    TVariableCollection &col = ProfileBody.DeviceFunction.VariableCollection;
    return forEachElementOf(Node(DevFun_), "VariableCollection", col.Var_List, [&](Node c) {
        auto var = newShared<TVariable>();
        bool isRef = false;
        if (Read_Variable(c, *var, isRef))
            (isRef ? col.StdVar_List : col.Var_List).push_back(std::move(var));
    });
}

bool TIODD::Read_ProfileBody_DeviceFunction_ProcessDataCollection(platform::XmlNode DevFun_)
{
    auto &list = ProfileBody.DeviceFunction.ProcessDataCollection.ProcessData_List;
    return forEachElementOf(Node(DevFun_), "ProcessDataCollection", list, [&](Node c) {
        auto pd = newShared<TProcessData>();
        if (Read_ProcessData(c, *pd))
            list.push_back(std::move(pd));
    });
}

bool TIODD::Read_ProfileBody_DeviceFunction_EventCollection(platform::XmlNode DevFun_)
{
    TEventCollection &col = ProfileBody.DeviceFunction.EventCollection;
    return forEachElementOf(Node(DevFun_), "EventCollection", col.Event_List, [&](Node c) {
        auto ev = newShared<TEventData>();
        bool isRef = false;
        if (!Read_Event(c, *ev, isRef))
            return;
        if (isRef) {
            // The standard event itself stands for the reference.
            col.StdEventRef_List.push_back(Get_Event_SD(ev->Code));
        } else {
            col.Event_List.push_back(std::move(ev));
        }
    });
}

bool TIODD::Read_ProfileBody_DeviceFunction_UserInterface(platform::XmlNode DevFun_)
{
    const Node DevFun(DevFun_);
    const Node ui = DevFun.kid("UserInterface");
    if (!ui)
        return false;
    return Read_ProfileBody_DeviceFunction_UserInterface_MenuCollection(ui);
}

bool TIODD::Read_ProfileBody_DeviceFunction_UserInterface_MenuCollection(platform::XmlNode UserInt_)
{
    const Node UserInt(UserInt_);
    const Node mc = UserInt.kid("MenuCollection");
    if (!mc)
        return false;
    auto &list = ProfileBody.DeviceFunction.UserInterface.MenuCollection.Menu_List;
    list.reserve(list.size() + elementCount(mc));
    for (Node c = mc.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        auto menu = newShared<TMenu>();
        if (Read_Menu(c, *menu))
            list.push_back(std::move(menu));
    }
    return true;
}

// ---- element readers ----

bool TIODD::Read_DataType(platform::XmlNode XmlDT_, TDataType &App_DT)
{
    const Node XmlDT(XmlDT_);
    if (!nameIs(XmlDT, "DATATYPE")) {
        if (nameIs(XmlDT, "DATATYPEREF")) {
            App_DT.IsDataTypeRef = true;
            App_DT.Ref_DataTypeId = textAttr(XmlDT, "datatypeId");
        }
        return false;
    }
    App_DT.IsDataTypeRef = false;
    App_DT.Ref_DataTypeId.clear();
    const char *raw = nullptr;
    const Kind k = typeKind(XmlDT, &raw);
    if (k == Kind::Unknown)
        fail(XmlDT, QStringLiteral("unknown data type \"%1\"").arg(qs(raw)));

    if (isSimple(k)) {
        App_DT.IsSimpleDataType = true;
        App_DT.SimpleDataType = newOwnedObject<TSimpleDataType>();
        decodeSimple(XmlDT, int(k), *App_DT.SimpleDataType);
        App_DT.ComplexDataType.reset();
        return true;
    }

    App_DT.IsSimpleDataType = false;
    App_DT.SimpleDataType.reset();
    App_DT.ComplexDataType = newOwnedObject<TComplexDataType>();
    TComplexDataType &cdt = *App_DT.ComplexDataType;
    // One pass over the attributes; the first of a name counts, as a lookup by name finds.
    Attr id, sup, count, bitLength;
    for (Attr a = XmlDT.first_attribute(); a; a = a.next_attribute()) {
        const char *an = a.name();
        Attr *slot = is(an, "id")                        ? &id
                              : is(an, "subindexAccessSupported") ? &sup
                              : is(an, "count")                   ? &count
                              : is(an, "bitLength")               ? &bitLength
                                                                  : nullptr;
        if (slot && !*slot)
            *slot = a;
    }
    cdt.Id = id ? qs(id.value()) : QString();
    cdt.SubIndexAccessSupPresent = true;
    cdt.SubIndexAccessSup = is(sup.value(), "true");

    if (k == Kind::ArrayT) {
        cdt.ActualComplexDataType = acdtArrayT;
        cdt.Count = rangedAttr(count, kArrayCount, 0);
        if (XmlDT.first_child()) {
            cdt.ArrItem.clear();
            if (const Node sdt = XmlDT.kid("SimpleDatatype")) {
                const Kind ek = Kind(simpleKind(sdt));
                if (isSimple(ek)) {
                    auto s = newShared<TSimpleDataType>();
                    decodeSimple(sdt, int(ek), *s);
                    cdt.ArrItem.push_back(std::move(s));
                }
            }
        }
    } else if (k == Kind::RecordT) {
        cdt.ActualComplexDataType = acdtRecordT;
        cdt.BitLength = rangedAttr(bitLength, kRecordBits, 0);
        if (XmlDT.first_child()) {
            cdt.RecItem.clear();
            cdt.RecItem.reserve(elementCount(XmlDT));
            for (Node ri = XmlDT.first_child(); ri; ri = ri.next_sibling()) {
                if (ri.type() != pugi::node_element)
                    continue;
                Attr sub, offset;
                for (Attr a = ri.first_attribute(); a; a = a.next_attribute()) {
                    const char *an = a.name();
                    if (!sub && is(an, "subindex"))
                        sub = a;
                    else if (!offset && is(an, "bitOffset"))
                        offset = a;
                }
                // The first child of each name counts, as a lookup by name finds.
                Node sdt, ref, name, description;
                for (Node c = ri.first_child(); c; c = c.next_sibling()) {
                    const char *cn = c.name();
                    switch (cn[0]) {
                    case 'S':
                        if (!sdt && is(cn, "SimpleDatatype"))
                            sdt = c;
                        break;
                    case 'D':
                        if (!ref && is(cn, "DatatypeRef"))
                            ref = c;
                        else if (!description && is(cn, "Description"))
                            description = c;
                        break;
                    case 'N':
                        if (!name && is(cn, "Name"))
                            name = c;
                        break;
                    default:
                        break;
                    }
                }
                auto item = newShared<TRecordItem>();
                item->SubIndex = sub ? iodd_numbers::toInt32(sub.value(), 1) : 1;
                item->BitOffset = rangedAttr(offset, kBitOffset, 0);
                if (sdt) {
                    const Kind ik = Kind(simpleKind(sdt));
                    if (!isSimple(ik))
                        continue;
                    item->SimpleTD = newOwnedObject<TSimpleDataType>();
                    decodeSimple(sdt, int(ik), *item->SimpleTD);
                } else if (ref) {
                    const Attr typeId = ref.attr("datatypeId");
                    if (!typeId)
                        continue;
                    noteTypeRef(typeId);
                    item->SimpleTD = newOwnedObject<TSimpleDataType>();
                    item->SimpleTD->IsSimpleDataRef = true;
                    item->SimpleTD->DataTypeId = qs(typeId.value());
                } else {
                    continue;
                }
                item->Name = textAttr(name, "textId");
                item->Description = textAttr(description, "textId");
                cdt.RecItem.push_back(std::move(item));
            }
        }
    } else {
        cdt.ActualComplexDataType = acdtNONE;
    }
    return true;
}

bool TIODD::Decode_SimpleDataType(platform::XmlNode main_xml_, const QString &DataType, TSimpleDataType &app_SDT)
{
    const Node main_xml(main_xml_);
    decodeSimple(main_xml, int(kindFromUpper(DataType.trimmed())), app_SDT);
    return true;
}

void TIODD::decodeSimple(platform::XmlNode n_, int kind, TSimpleDataType &t)
{
    const Node n(n_);
    bool ranges = true;
    switch (Kind(kind)) {
    case Kind::BooleanT: t.ActualSimpleDataType = asdtBooleanT; break;
    case Kind::UIntegerT: t.ActualSimpleDataType = asdtUIntegerT; break;
    case Kind::IntegerT: t.ActualSimpleDataType = asdtIntegerT; break;
    case Kind::Float32T: t.ActualSimpleDataType = asdtFloat32T; break;
    case Kind::StringT: t.ActualSimpleDataType = asdtStringT; ranges = false; break;
    case Kind::OctetStringT: t.ActualSimpleDataType = asdtOctetStringT; ranges = false; break;
    case Kind::TimeT: t.ActualSimpleDataType = asdtTimeT; ranges = false; break;
    case Kind::TimeSpanT: t.ActualSimpleDataType = asdtTimeSpanT; ranges = false; break;
    default: ranges = false; break;
    }
    for (Attr a = n.first_attribute(); a; a = a.next_attribute()) {
        const char *an = a.name();
        if (is(an, "id")) {
            t.Id = qs(a.value());
        } else if (is(an, "bitLength")) {
            if (t.ActualSimpleDataType == asdtUIntegerT || t.ActualSimpleDataType == asdtIntegerT)
                t.BitLength = rangedAttr(a, kIntegerBits, 0);
        } else if (is(an, "fixedLength")) {
            if (t.ActualSimpleDataType == asdtStringT || t.ActualSimpleDataType == asdtOctetStringT)
                t.FixedLength = 8 * rangedAttr(a, kStringOctets, 0);
        } else if (is(an, "encoding")) {
            if (t.ActualSimpleDataType == asdtStringT)
                t.Encodig = qs(a.value());
        }
    }
    t.SingleValueRange.clear();
    if (ranges && n.first_child()) {
        t.SingleValueRange.reserve(elementCount(n));
        for (Node c = n.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element)
                Read_SingleValueRange(c, t);
    }
}

bool TIODD::Read_SingleValueRange(platform::XmlNode XmlSVR_, TSimpleDataType &app_SDT)
{
    const Node XmlSVR(XmlSVR_);
    const TActualSimpleDataType t = app_SDT.ActualSimpleDataType;
    const bool integer = t == asdtIntegerT || t == asdtUIntegerT;
    std::shared_ptr<TValueBase> v;
    if (nameIs(XmlSVR, "SINGLEVALUE")) {
        if (t == asdtBooleanT) {
            auto b = newShared<TBooleanValueT>();
            b->Value = flagAttr(XmlSVR, "value");
            v = std::move(b);
        } else if (integer) {
            auto i = newShared<TIntegerValueRangeT>();
            i->ValueType = true;
            i->Value = intAttr(XmlSVR, "value", 0);
            v = std::move(i);
        } else if (t == asdtFloat32T) {
            auto f = newShared<TFloat32ValueRangeT>();
            f->ValueType = true;
            f->Value = floatAttr(XmlSVR, "value", 0);
            v = std::move(f);
        }
    } else if (nameIs(XmlSVR, "VALUERANGE")) {
        if (integer) {
            auto i = newShared<TIntegerValueRangeT>();
            i->ValueType = false;
            i->LowerValue = int64Attr(XmlSVR, "lowerValue", 0);
            i->UpperValue = int64Attr(XmlSVR, "upperValue", 0);
            v = std::move(i);
        } else if (t == asdtFloat32T) {
            auto f = newShared<TFloat32ValueRangeT>();
            f->ValueType = false;
            f->LowerValue = floatAttr(XmlSVR, "lowerValue", 0);
            f->UpperValue = floatAttr(XmlSVR, "upperValue", 0);
            v = std::move(f);
        }
    }
    if (!v)
        return false;
    v->Name = textAttr(XmlSVR.kid("Name"), "textId");
    app_SDT.SingleValueRange.push_back(std::move(v));
    return true;
}

bool TIODD::Read_Variable(platform::XmlNode XmlVar_, TVariable &App_Var, bool &VarRef)
{
    const Node XmlVar(XmlVar_);
    if (nameIs(XmlVar, "VARIABLE")) {
        App_Var.VarType = vtVariable;
        VarRef = false;
        // One pass over the attributes; the first of a name counts, as a lookup by name finds.
        Attr id, ar, dyn, mov, exc, index, def;
        for (Attr a = XmlVar.first_attribute(); a; a = a.next_attribute()) {
            const char *an = a.name();
            Attr *slot = is(an, "id")                        ? &id
                                  : is(an, "accessRights")            ? &ar
                                  : is(an, "dynamic")                 ? &dyn
                                  : is(an, "modifiesOtherVariables")  ? &mov
                                  : is(an, "excludedFromDataStorage") ? &exc
                                  : is(an, "index")                   ? &index
                                  : is(an, "defaultValue")            ? &def
                                                                      : nullptr;
            if (slot && !*slot)
                *slot = a;
        }
        auto isTrue = [](Attr a) { return is(a.value(), "true"); };
        App_Var.Id = id ? qs(id.value()) : QString();
        App_Var.AccessRights = is(ar.value(), "rw") ? arRW : is(ar.value(), "ro") ? arRO : arWO;
        App_Var.Dynamic_V = isTrue(dyn);
        App_Var.ModifiesOtherVariables = isTrue(mov);
        App_Var.ExcludedFromDataStorage = isTrue(exc);
        App_Var.Index = index ? iodd_numbers::toInt32(index.value(), 1) : 1;
        App_Var.DefaultValue = def ? qs(def.value()) : QString();
        // The first child of each name counts, as a lookup by name finds.
        Node name, description, dt, ref, firstInfo;
        size_t infos = 0;
        for (Node c = XmlVar.first_child(); c; c = c.next_sibling()) {
            const char *cn = c.name();
            switch (cn[0]) {
            case 'N':
                if (!name && is(cn, "Name"))
                    name = c;
                break;
            case 'D':
                if (!dt && is(cn, "Datatype"))
                    dt = c;
                else if (!ref && is(cn, "DatatypeRef"))
                    ref = c;
                else if (!description && is(cn, "Description"))
                    description = c;
                break;
            case 'R':
                if (is(cn, "RecordItemInfo")) {
                    if (!firstInfo)
                        firstInfo = c;
                    ++infos;
                }
                break;
            default:
                break;
            }
        }
        if (name) {
            const Attr a = name.attr("textId");
            App_Var.Name = a ? qs(a.value()) : requireAttr(name, "textId");
        }
        if (description) {
            const Attr a = description.attr("textId");
            App_Var.Description = a ? qs(a.value()) : requireAttr(description, "textId");
        }
        if (dt) {
            App_Var.DataType = newOwnedObject<TDataType>();
            Read_DataType(dt, *App_Var.DataType);
        }
        if (ref) {
            requireAttr(ref, "datatypeId");
            noteTypeRef(ref.attr("datatypeId"));
            App_Var.DataType = newOwnedObject<TDataType>();
            Read_DataType(ref, *App_Var.DataType);
        }
        App_Var.RecordItemInfoList.reserve(App_Var.RecordItemInfoList.size() + infos);
        for (Node c = firstInfo; c; c = c.next_sibling()) {
            if (!is(c.name(), "RecordItemInfo"))
                continue;
            auto rii = newShared<TRecordItemInfo>();
            if (Read_RecordItemInfo(c, *rii))
                App_Var.RecordItemInfoList.push_back(std::move(rii));
        }
        return true;
    }
    if (nameIs(XmlVar, "STDVARIABLEREF")) {
        App_Var.VarType = vtStdVarRef;
        VarRef = true;
        App_Var.Id = textAttr(XmlVar, "id");
        App_Var.DefaultValue = textAttr(XmlVar, "defaultValue");
        App_Var.FixedLengthRestriction = intAttr(XmlVar, "fixedLengthRestriction", 1);
        App_Var.ExcludedFromDataStorage = flagAttr(XmlVar, "excludedFromDataStorage");
        return true;
    }
    return false;
}

bool TIODD::Read_RecordItemInfo(platform::XmlNode XmlRII_, TRecordItemInfo &App_RII)
{
    const Node XmlRII(XmlRII_);
    if (!nameIs(XmlRII, "RECORDITEMINFO"))
        return false;
    App_RII.Subindex = intAttr(XmlRII, "subindex", 0);
    App_RII.DefaultValue = textAttr(XmlRII, "defaultValue");
    App_RII.ModifiesOtherVariables = flagAttr(XmlRII, "modifiesOtherVariables");
    App_RII.ExcludedFromDataStorage = flagAttr(XmlRII, "excludedFromDataStorage");
    return true;
}

bool TIODD::Read_ProcessData(platform::XmlNode XmlPD_, TProcessData &App_PD)
{
    const Node XmlPD(XmlPD_);
    // A present number attribute must be a number: a layout chosen by a garbled condition or
    // length would silently map the wrong data.
    auto numberAttr = [&](Node n, const char *name, qint32 &into, const Range *range = nullptr) {
        const Attr a = n.attribute(name);
        if (!a)
            return;
        int64_t v = 0;
        const iodd_numbers::Parsed p = iodd_numbers::parseDecimal(a.value(), v);
        if (p == iodd_numbers::Parsed::NotANumber)
            fail(n, QStringLiteral("attribute \"%1\" of element \"%2\" is not a number: \"%3\"")
                        .arg(qs(name), qs(n.name()), qs(a.value())));
        if (range || p != iodd_numbers::Parsed::Ok || v < INT32_MIN || v > INT32_MAX)
            into = rangedAttr(a, range ? *range : Range{INT32_MIN, INT32_MAX}, 0);
        else
            into = qint32(v);
    };

    App_PD.Id = textAttr(XmlPD, "id");
    if (const Node c = XmlPD.kid("Condition")) {
        App_PD.Condition = newOwnedObject<TCondition>();
        textAttrIfPresent(c, "variableId", App_PD.Condition->VariableId);
        numberAttr(c, "subindex", App_PD.Condition->SubIndex);
        numberAttr(c, "value", App_PD.Condition->Value);
    }
    auto inOut = [&](Node n) {
        auto io = newOwnedObject<TProcessDataInOut>();
        textAttrIfPresent(n, "id", io->Id);
        numberAttr(n, "bitLength", io->BitLength, &kProcessDataBits);
        io->Name = textAttr(n.kid("Name"), "textId");
        if (const Node dt = n.kid("Datatype"))
            Read_DataType(dt, io->DataType);
        if (const Node ref = n.kid("DatatypeRef")) {
            requireAttr(ref, "datatypeId");
            noteTypeRef(ref.attr("datatypeId"));
            Read_DataType(ref, io->DataType);
        }
        return io;
    };
    if (const Node in = XmlPD.kid("ProcessDataIn"))
        App_PD.ProcessDataIn = inOut(in);
    if (const Node out = XmlPD.kid("ProcessDataOut"))
        App_PD.ProcessDataOut = inOut(out);
    return true;
}

bool TIODD::Read_Menu(platform::XmlNode XmlMC_, TMenu &App_Menu)
{
    const Node XmlMC(XmlMC_);
    App_Menu.Id = textAttr(XmlMC, "id");
    App_Menu.MenuVariableRef_List.reserve(App_Menu.MenuVariableRef_List.size() + elementCount(XmlMC));
    for (Node c = XmlMC.first_child(); c; c = c.next_sibling()) {
        const char *n = c.name();
        bool recordItem = false;
        switch (n[0]) {
        case 'N':
            if (is(n, "Name"))
                textAttrIfPresent(c, "textId", App_Menu.Name);
            continue;
        case 'R':
            if (!is(n, "RecordItemRef"))
                continue;
            recordItem = true;
            break;
        case 'V':
            if (!is(n, "VariableRef"))
                continue;
            break;
        default:
            continue;
        }
        if (c.type() != pugi::node_element)
            continue;
        std::shared_ptr<TMenuRef> ref;
        if (recordItem) {
            ref = newShared<TMenuRecordItemRef>();
        } else {
            ref = newShared<TMenuVariableRef>();
        }
        QString *recordSub = recordItem ? &static_cast<TMenuRecordItemRef &>(*ref).SubIndex : nullptr;
        for (Attr at = c.first_attribute(); at; at = at.next_attribute()) {
            const char *an = at.name();
            QString *into = nullptr;
            switch (an[0]) {
            case 'v':
                if (is(an, "variableId"))
                    into = &ref->VariableId;
                break;
            case 'g':
                if (is(an, "gradient"))
                    into = &ref->Gradient;
                break;
            case 'o':
                if (is(an, "offset"))
                    into = &ref->Offset;
                break;
            case 'u':
                if (is(an, "unitCode"))
                    into = &ref->UnitCode;
                break;
            case 'a':
                if (is(an, "accessRightRestriction"))
                    into = &ref->AccessRightRestriction;
                break;
            case 'd':
                if (is(an, "displayFormat"))
                    into = &ref->DisplayFormat;
                break;
            case 's':
                if (recordSub && is(an, "subindex"))
                    into = recordSub;
                break;
            default:
                break;
            }
            if (into && into->isNull())  // first of duplicate names, as a lookup by name finds
                *into = qs(at.value());
        }
        App_Menu.MenuVariableRef_List.push_back(std::move(ref));
    }
    return true;
}

bool TIODD::Read_Event(platform::XmlNode XmlEVE_, TEventData &App_Event, bool &EventRef)
{
    const Node XmlEVE(XmlEVE_);
    if (nameIs(XmlEVE, "EVENT")) {
        App_Event.Code = intAttr(XmlEVE, "code", -1);
        if (App_Event.Code < 0)
            return false;
        textAttrIfPresent(XmlEVE, "type", App_Event.EventType);
        App_Event.Name = textAttr(XmlEVE.kid("Name"), "textId");
        App_Event.Description = textAttr(XmlEVE.kid("Description"), "textId");
        return true;
    }
    if (nameIs(XmlEVE, "STDEVENTREF")) {
        EventRef = true;
        App_Event.Code = intAttr(XmlEVE, "code", -1);
        // The caller puts the standard event itself in place of this object.
        return App_Event.Code >= 0 && Get_Event_SD(App_Event.Code) != nullptr;
    }
    return false;
}

// ---- texts and physical layer ----

bool TIODD::Read_ExternalTextCollection()
{
    const Node etc = Node(Xml1.root()).child("IODevice").child("ExternalTextCollection");
    if (!etc)
        return false;
    const Node pl = etc.kid("PrimaryLanguage");
    if (!pl)
        fail(etc, QStringLiteral("element \"PrimaryLanguage\" missing"));
    readTextTable(pl, ExtTextCol, false);
    return true;
}

bool TIODD::Read_CommNetworkProfile()
{
    const Node root = Node(Xml1.root()).child("IODevice");
    const Node cnp = root.kid("CommNetworkProfile");
    if (!cnp)
        fail(root, QStringLiteral("element \"CommNetworkProfile\" missing"));
    const Node tl = cnp.kid("TransportLayers");
    if (!tl)
        fail(cnp, QStringLiteral("element \"TransportLayers\" missing"));
    const Node pl = tl.kid("PhysicalLayer");
    if (!pl)
        fail(tl, QStringLiteral("element \"PhysicalLayer\" missing"));
    textAttrIfPresent(pl, "bitrate", PhysicalLayer.BitRate);
    textAttrIfPresent(pl, "baudrate", PhysicalLayer.BitRate);
    textAttrIfPresent(pl, "minCycleTime", PhysicalLayer.MinCycleTime);
    if (const Attr sio = pl.attr("sioSupported"))
        PhysicalLayer.SIOSupported = qs(sio.value()).trimmed().toLower() == QLatin1String("true");
    textAttrIfPresent(pl, "mSequenceCapability", PhysicalLayer.MSequenceCapability);
    return true;
}
