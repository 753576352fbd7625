// The root classes: TObject, the ownership tree TComponent, and TStringList.
#pragma once

#include "toolkit/Types.h"

#include <string>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

// What happened to a component that an owner gained or lost.
enum TOperation { opInsert, opRemove };

// A component belongs to its owner: deleting the owner deletes everything it owns,
// last created first. Deleting an owned component first takes it out of its owner.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }
    // The owned component of that name (case-insensitive), or nullptr.
    TComponent* FindComponent(const std::string& name) const;
    // Deletes every owned component now, last created first.
    void DestroyComponents();
    // True from the moment the object's destruction has begun; events are no longer fired.
    bool Destroying() const { return destroying_; }

    std::string Name;
    int Tag = 0;

    // Told when the owner of this component gains or loses another one. On insertion the
    // new component is still being constructed: only its address may be kept.
    virtual void Notification(TComponent* component, TOperation operation)
    {
        (void)component;
        (void)operation;
    }

protected:
    // Called by destructors of derived classes before they tear anything down.
    void BeginDestroy() { destroying_ = true; }

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void Notify(TComponent* component, TOperation operation);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    bool destroying_ = false;
};

// A list of ANSI strings, each with an optional object pointer, like the class
// library's string list. Unsorted lists keep insertion order; a sorted list keeps its
// strings ordered (case-insensitive unless CaseSensitive) and then Insert is refused.
class TStringList : public TObject {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Strings(int index) const { return items_.at(index).text; }
    const std::string& operator[](int index) const { return Strings(index); }
    void SetString(int index, const std::string& text);
    void* Objects(int index) const { return items_.at(index).object; }
    void SetObject(int index, void* object);

    // Returns the index the string got.
    int Add(const std::string& text);
    int AddObject(const std::string& text, void* object);
    // Throws std::logic_error on a sorted list.
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    // Index of the first equal string, or -1.
    int IndexOf(const std::string& text) const;
    void Sort();

    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    // Every string followed by CR LF.
    std::string Text() const;
    // Splits at CR LF, LF or CR; a final line break does not make an empty last line.
    void SetText(const std::string& text);

    // The file's bytes taken as ANSI text lines; false (list unchanged) when it cannot be read.
    bool LoadFromFile(const std::string& path);
    // Writes Text(); false when the file cannot be written completely.
    bool SaveToFile(const std::string& path) const;

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // Called after every change (once at EndUpdate while updates are held back).
    TNotifyEvent OnChange;

private:
    struct Item {
        std::string text;
        void* object;
    };
    int Compare(const std::string& a, const std::string& b) const;
    int SortedInsertPosition(const std::string& text) const;
    void Changed();

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    int updateCount_ = 0;
    bool changedWhileHeld_ = false;
};
