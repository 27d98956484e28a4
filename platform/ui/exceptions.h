#pragma once
// The class library's exceptions: each class carries its message and its class name, which the
// application's error display and the program entry look at.

#include <QString>

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toStdString()) {}

    const QString& Message() const { return FMessage; }
    virtual const char* ClassName() const { return "Exception"; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FMessage;
    std::string FUtf8;
};

// Declares an exception class that derives from `Base` and reports its own class name.
#define ZTARN_EXCEPTION_CLASS(Name, Base)                               \
    class Name : public Base {                                          \
    public:                                                             \
        using Base::Base;                                               \
        const char* ClassName() const override { return #Name; }       \
    }

ZTARN_EXCEPTION_CLASS(EMathError, Exception);
ZTARN_EXCEPTION_CLASS(EInvalidOp, EMathError);      // invalid floating-point operation
ZTARN_EXCEPTION_CLASS(EConvertError, Exception);    // a text that is not a number, date or time
ZTARN_EXCEPTION_CLASS(EIniFileException, Exception);  // a profile key that cannot be written

// The class-name comparison of the class library: case is ignored.
bool ClassNameIs(const Exception& e, const char* name);
