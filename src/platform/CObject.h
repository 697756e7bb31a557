#pragma once
// The root of records that are written to archives with class records, and
// the run-time class that names them: the class name and schema number
// stored in the file, and how to create an empty object when reading.

#include "WinTypes.h"

#include <string>

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;

    // Classes register themselves during static initialisation so that a
    // stored class name can be found again; the first registration of a name wins.
    static void Register(const CRuntimeClass* cls);
    static const CRuntimeClass* FromName(const std::string& name);
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    BOOL IsKindOf(const CRuntimeClass* cls) const;

    static const CRuntimeClass classCObject;
};

// Registers a run-time class when the program starts.
struct CClassRegistration {
    explicit CClassRegistration(const CRuntimeClass* cls) { CRuntimeClass::Register(cls); }
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body of a record that is written with its class record.
#define DECLARE_SERIAL(class_name)                                   \
public:                                                              \
    static const CRuntimeClass class##class_name;                    \
    const CRuntimeClass* GetRuntimeClass() const override;           \
    static CObject* CreateObject();

// In one source file: name, base class and schema number.
#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                   \
    CObject* class_name::CreateObject() { return new class_name; }                              \
    const CRuntimeClass class_name::class##class_name = {#class_name, schema,                   \
        &class_name::CreateObject, RUNTIME_CLASS(base_class_name)};                             \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
    static const CClassRegistration s_registration##class_name(RUNTIME_CLASS(class_name));

// For classes that only need a run-time class (kind checks), not archiving.
#define DECLARE_DYNAMIC(class_name)                                  \
public:                                                              \
    static const CRuntimeClass class##class_name;                    \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                          \
    const CRuntimeClass class_name::class##class_name = {#class_name, 0xFFFF, nullptr,          \
        RUNTIME_CLASS(base_class_name)};                                                        \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

// For classes that are created by their run-time class (windows that a
// frame creates by class, or by name through the registry).
#define DECLARE_DYNCREATE(class_name)                                \
public:                                                              \
    static const CRuntimeClass class##class_name;                    \
    const CRuntimeClass* GetRuntimeClass() const override;           \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                        \
    CObject* class_name::CreateObject() { return new class_name; }                              \
    const CRuntimeClass class_name::class##class_name = {#class_name, 0xFFFF,                   \
        &class_name::CreateObject, RUNTIME_CLASS(base_class_name)};                             \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); } \
    static const CClassRegistration s_registration##class_name(RUNTIME_CLASS(class_name));
