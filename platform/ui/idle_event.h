#pragma once
// The application's idle event: a handler and the object it belongs to, comparable so that a
// component can tell whether its own handler is the installed one.

#include <QObject>

#include <array>
#include <cstring>
#include <functional>

struct TIdleEvent {
    std::function<void(QObject* Sender, bool& Done)> Handler;
    const void* Object = nullptr;                // the handler's object, not owned
    std::array<unsigned char, 16> Method{};      // the member function's identity

    // Binds `method` of `object`; two bindings of the same method and object compare equal.
    template <class T>
    static TIdleEvent Bind(T* object, void (T::*method)(QObject*, bool&))
    {
        static_assert(sizeof method <= sizeof(Method));
        TIdleEvent event;
        event.Handler = [object, method](QObject* sender, bool& done) { (object->*method)(sender, done); };
        event.Object = object;
        std::memcpy(event.Method.data(), &method, sizeof method);
        return event;
    }

    explicit operator bool() const { return static_cast<bool>(Handler); }
    friend bool operator==(const TIdleEvent& a, const TIdleEvent& b)
    {
        return a.Object == b.Object && a.Method == b.Method && static_cast<bool>(a) == static_cast<bool>(b);
    }
};
