// Lists of records linked through the records themselves.
//
// What it stores: records that live in Pools (memory.h), in the order they
// were linked, each pointing at the next through its own `next` member (a
// pointer or a Ref).  The list object holds the ends; a record is in one
// list at a time.
//
// Why it is shaped so: a translator's tables are mostly lists that grow at
// their end and are read from their start.  With the link in the record
// there is no node to allocate and nothing to free: a list costs its two
// ends, 8 bytes inside a record when they are Refs, and appending is O(1)
// through the tail.  A list whose user may take back the record it linked
// last (a record made ahead for a name that turns out not to need it) also
// keeps the record before its tail, so that dropping the last is O(1) as
// well; since most lists never drop, this is chosen per list
// (`DropLast::kYes`), and a list without it keeps two ends.  After a drop
// the record before the new tail is unknown until the next link at the
// tail (a second drop in a row walks from the head).  Unlinking or
// replacing a record other than the last walks from the head to find the
// record before it; the callers do so rarely and near the head.
//
// The figures: a stage record (104 bytes) holds two lists; keeping the
// record before the tail in both would make it 112, which a design of n
// stages would pay per stage, for lists that never drop.
#ifndef SFLC_STORAGE_RECORD_LIST_H
#define SFLC_STORAGE_RECORD_LIST_H

// Whether a RecordList can drop its last record in O(1).
enum class DropLast : bool { kNo, kYes };

namespace record_list {
// The record before the tail, for a DropLast list: null when the tail is
// the first record, or when it is not known (after a drop).  An empty base
// otherwise, which takes no room.
template <class Link, bool kKept>
struct BeforeLast {
    Link before_last_ = nullptr;
};
template <class Link>
struct BeforeLast<Link, false> {};
}  // namespace record_list

// `T` has a member `next` of a type that converts to and from T* (T* or
// Ref<T>); `Link` is the type of the list's own ends.
template <class T, class Link = T*, DropLast kDrop = DropLast::kNo>
class RecordList : private record_list::BeforeLast<Link, kDrop == DropLast::kYes> {
    static constexpr bool kKeepsBeforeLast = kDrop == DropLast::kYes;

public:
    class iterator {
    public:
        explicit iterator(T* rec) : rec_(rec) {}
        T* operator*() const { return rec_; }
        iterator& operator++() {
            rec_ = rec_->next;
            return *this;
        }
        bool operator!=(const iterator& o) const { return rec_ != o.rec_; }

    private:
        T* rec_;
    };
    iterator begin() const { return iterator(head_); }
    iterator end() const { return iterator(nullptr); }

    T* first() const { return head_; }
    T* last() const { return tail_; }
    bool empty() const { return !head_; }
    void clear() {
        head_ = tail_ = nullptr;
        forget_before_last();
    }

    // Links `rec`, whose `next` is null, after the last record.
    void append(T* rec) {
        if (tail_)
            tail_->next = rec;
        else
            head_ = rec;
        note_before_last(tail_);
        tail_ = rec;
    }

    // Links `rec` right after `pos`, a record of the list.
    void insert_after(T* pos, T* rec) {
        rec->next = pos->next;
        pos->next = rec;
        if (tail_ != pos) return;
        note_before_last(pos);
        tail_ = rec;
    }

    // The record before `rec` (null: `rec` is the first).
    T* before(const T* rec) const {
        if (kKeepsBeforeLast && rec == tail_ && before_last_known()) return before_last();
        T* b = nullptr;
        for (T* r = head_; r && r != rec; r = r->next) b = r;
        return b;
    }

    // Unlinks the last record and returns it (null when the list is empty).
    T* drop_last() {
        static_assert(kKeepsBeforeLast, "a list made with DropLast::kYes");
        T* rec = tail_;
        if (!rec) return nullptr;
        T* b = before(rec);
        if (b)
            b->next = nullptr;
        else
            head_ = nullptr;
        tail_ = b;
        forget_before_last();
        return rec;
    }

    // Unlinks `rec`, a record of the list; its own `next` is left as it was.
    void unlink(T* rec) {
        T* b = before(rec);
        if (b)
            b->next = rec->next;
        else
            head_ = rec->next;
        if (kKeepsBeforeLast && rec == before_last()) note_before_last(b);
        if (tail_ == rec) {
            tail_ = b;
            forget_before_last();
        }
    }

    // Puts `fresh`, linked nowhere, in the place of `old`, which leaves the
    // list.
    void replace(T* old, T* fresh) {
        T* b = before(old);
        if (b)
            b->next = fresh;
        else
            head_ = fresh;
        fresh->next = old->next;
        if (tail_ != old) return;
        note_before_last(b);
        tail_ = fresh;
    }

private:
    T* before_last() const {
        if constexpr (kKeepsBeforeLast)
            return this->before_last_;
        else
            return nullptr;
    }
    bool before_last_known() const { return before_last() || head_ == tail_; }
    void note_before_last(T* rec) {
        if constexpr (kKeepsBeforeLast) this->before_last_ = rec;
    }
    void forget_before_last() { note_before_last(nullptr); }

    Link head_ = nullptr;
    Link tail_ = nullptr;
};

#endif
