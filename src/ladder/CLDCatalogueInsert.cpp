#include "CLDCatalogueInsert.h"

#include "CBlock.h"
#include "CCoil.h"
#include "CContact.h"
#include "CLDContactCoilCheck.h"
#include "ILDInsertTarget.h"
#include "model/CInstructionDef.h"
#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "platform/CUserInterface.h"

namespace {
const char* const UNSET_OPERAND = "????";
const char* const TYPE_NOT = "-|NOT|-";
const char* const MSG_TOO_WIDE = "The number of horizontal elements in this network has reached the upper limit. ";
const char* const MSG_SELF_CALL = "A subroutine can not call itself.  ";
// The box of the self-call refusal has no owner and is modal to the whole program.
constexpr UINT TASK_MODAL = 0x2000;

void MarkUnset(CZULFBParaArray& list)
{
    for (int i = 0; i < list.GetSize(); ++i) {
        if (CZULFBPara* para = list.GetAt(i))
            para->typeText = UNSET_OPERAND;
    }
}

} // namespace

CLDCatalogueInsert::CLDCatalogueInsert(const CZULAppData& app, ILDInsertTarget& target) : m_app(app), m_target(target)
{
}

int CLDCatalogueInsert::Insert(std::uintptr_t kind, std::intptr_t item)
{
    if (!m_target.GetSelection())
        return 1;
    m_target.CommitOperandEdit();
    if (!m_target.HasDocument() || !item)
        return 1;
    if (kind == LD_INSERT_CATALOGUE_ROW)
        InsertRow(*reinterpret_cast<const CInstructionDef*>(item));
    else if (kind == LD_INSERT_SUBROUTINE)
        InsertSubroutine(*reinterpret_cast<const CZULFunc*>(item));
    return 1;
}

void CLDCatalogueInsert::InsertRow(const CInstructionDef& row)
{
    switch (row.kind) {
    case INSTRUCTION_KIND_CONTACT:
        InsertContact(row.name);
        return;
    case INSTRUCTION_KIND_COIL:
        InsertCoil(row.name);
        return;
    case INSTRUCTION_KIND_FUNCTION:
        InsertFunction(row.name);
        return;
    case INSTRUCTION_KIND_FB:
        InsertFB(row.name);
        return;
    default:
        return;
    }
}

BOOL CLDCatalogueInsert::IsLowerParallelCoil() const
{
    const CLDElement* selection = m_target.GetSelection();
    return selection->GetKind() == LD_KIND_COIL && selection->GetLink() == LD_LINK_PARALLEL &&
           selection->GetParent() != nullptr;
}

BOOL CLDCatalogueInsert::WidthAllows()
{
    if (m_target.CheckWidth())
        return TRUE;
    m_target.ShowNote(MSG_TOO_WIDE, MB_OK | MB_ICONINFORMATION);
    m_target.SetFocus();
    return FALSE;
}

void CLDCatalogueInsert::Finish(std::unique_ptr<CLDElement> element, BOOL placed)
{
    if (placed)
        m_target.FinishInsertion(element.release());
    m_target.SetFocus();
}

void CLDCatalogueInsert::InsertContact(const char* type)
{
    if (IsLowerParallelCoil() || !WidthAllows())
        return;
    const CLDElement* selection = m_target.GetSelection();
    // The inverting contact has no place in the last branch of a parallel column.
    if (std::string(type) == TYPE_NOT && selection->GetKind() != LD_KIND_COIL &&
        CLDContactCoilCheck::IsParallelPosition(*selection))
        return;
    auto contact = std::make_unique<CContact>();
    contact->SetOperand(UNSET_OPERAND);
    contact->SetTypeText(type);
    contact->SetLink(LD_LINK_SERIES);
    const BOOL placed = m_target.AppendSeries(contact.get());
    Finish(std::move(contact), placed);
}

void CLDCatalogueInsert::InsertCoil(const char* type)
{
    if (m_target.GetSelection()->GetKind() != LD_KIND_COIL) {
        m_target.SetFocus();
        return;
    }
    auto coil = std::make_unique<CCoil>();
    coil->SetOperand(UNSET_OPERAND);
    coil->SetTypeText(type);
    coil->SetLink(LD_LINK_PARALLEL);
    const BOOL placed = m_target.AddParallelCoil(coil.get());
    Finish(std::move(coil), placed);
}

void CLDCatalogueInsert::InsertFunction(const char* name)
{
    const CLDElement* selection = m_target.GetSelection();
    if (selection->GetKind() == LD_KIND_COIL && selection->GetLink() == LD_LINK_PARALLEL)
        return;
    if (!WidthAllows())
        return;
    auto function = std::make_unique<CZULFunc>();
    m_app.LookupFunction(name, *function);
    MarkUnset(function->inputs);
    MarkUnset(function->outputs);
    auto block = std::make_unique<CBlock>();
    block->SetLink(LD_LINK_SERIES);
    block->SetFunction(std::move(function));
    const BOOL placed = m_target.InsertBlock(block.get());
    Finish(std::move(block), placed);
}

void CLDCatalogueInsert::InsertFB(const char* name)
{
    if (IsLowerParallelCoil() || !WidthAllows())
        return;
    auto fb = std::make_unique<CZULFB>();
    m_app.LookupFunctionBlock(name, *fb);
    fb->instanceName = UNSET_OPERAND;
    MarkUnset(fb->inputs);
    MarkUnset(fb->outputs);
    auto block = std::make_unique<CBlock>();
    block->SetLink(LD_LINK_SERIES);
    block->SetFB(std::move(fb));
    const BOOL placed = m_target.InsertBlock(block.get());
    Finish(std::move(block), placed);
}

void CLDCatalogueInsert::InsertSubroutine(const CZULFunc& subroutine)
{
    if (IsLowerParallelCoil() || !WidthAllows())
        return;
    auto function = std::make_unique<CZULFunc>();
    *function = subroutine;
    if (function->name == m_target.GetPOUName()) {
        ShowMessage("Note", MSG_SELF_CALL, MB_OK | TASK_MODAL | MB_ICONINFORMATION);
        m_target.SetFocus();
        return;
    }
    MarkUnset(function->inputs);
    MarkUnset(function->outputs);
    auto block = std::make_unique<CBlock>();
    block->SetLink(LD_LINK_SERIES);
    block->SetFunction(std::move(function));
    const BOOL placed = m_target.InsertBlock(block.get());
    Finish(std::move(block), placed);
}
