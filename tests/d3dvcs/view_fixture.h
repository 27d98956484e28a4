#pragma once
// A view as the game builds it: a left viewport control at half the width, aligned left, and
// a right one aligned to the rest, with a device made for the default driver. Every message box
// is scripted (a report is answered No), so a failing call never blocks a test.

#include "d3dvcs/d3d_view.h"
#include "d3dvcs/vport.h"
#include "platform/ui/align.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ViewFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        View = std::make_unique<TD3dView>();
        View->resize(400, 300);
        Left = new TVport(View.get());
        Left->resize(View->width() / 2, Left->height());
        SetAlign(Left, TAlign::alLeft);
        Left->setObjectName(QStringLiteral("LefPort"));
        Right = new TVport(View.get());
        SetAlign(Right, TAlign::alClient);
        Right->setObjectName(QStringLiteral("RighPort"));
        View->CreateDevice(nullptr);
        View->show();
    }

    void TearDown() override
    {
        View.reset();
        Application->OnIdle = {};
        Application->SetActive(false);
    }

    static std::string NameOf(IDirect3DRMObject* object)
    {
        char name[64] = {};
        DWORD size = sizeof name;
        if (!object || FAILED(object->GetName(&size, name))) return "<none>";
        return name;
    }

    TMessageBoxScript Boxes;
    std::unique_ptr<TD3dView> View;
    TVport* Left = nullptr;
    TVport* Right = nullptr;
};
