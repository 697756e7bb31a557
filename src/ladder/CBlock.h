#pragma once
// The box of a ladder network: a function of the instruction catalogue, a
// call of one of the project's subroutines or an instance of a function
// block type. The box nests its own copy of the call interface and keeps
// each parameter's actual operand in it (the parameter's second text).
//
// Labels share one index: 0 the FB instance name (FB instances only),
// 1 .. inputs - 1 the inputs after the first, inputs + 1 .. inputs +
// outputs - 1 the outputs after the first; index "inputs" has no label.

#include "CLDElement.h"
#include "model/OperandTypeFlags.h"

#include <memory>
#include <vector>

class CZULFB;
class CZULFBPara;
class CZULFunc;

constexpr int BLOCK_LABEL_SLOTS = 30;

class CBlock : public CLDElement {
    DECLARE_SERIAL(CBlock)
public:
    CBlock();
    ~CBlock() override;

    // Takes the interface of a function or subroutine box, or of an FB instance.
    void SetFunction(std::unique_ptr<CZULFunc> function);
    void SetFB(std::unique_ptr<CZULFB> block);
    CZULFunc* GetFunction() const { return m_function.get(); }
    CZULFB* GetFB() const { return m_fb.get(); }

    // Name found, instance found, the label found flags, childA index,
    // childB index, kind, link, the function flag, then the nested record.
    void Serialize(CArchive& ar) override;
    int Find(const std::string& text, int mode) override;
    int ReplaceAll(const std::string& find, const std::string& replace) override;
    int ReplaceOne(const std::string& find, const std::string& replace) override;
    void SetFindResultMark(const CFindResult& record, int mark) override;
    BOOL IsFunction() const override;
    std::string GetTypeText() const override;
    // The anchor of the next label in Tab order; the selection stays.
    BOOL GetEditPosition(CPoint* point, int cellWidth, int cellHeight) override;
    CSize GetSize(BOOL printing) override;
    CSize LayoutAndDraw(int cellWidth, int cellHeight, int originCol, int originRow, const std::string& pouName,
                        CLDPositionMap* positionMap, CDC* dc, BOOL highlight) override;
    CSize LayoutOnly(int cellWidth, int cellHeight, CLDPositionMap* positionMap, int originCol, int originRow) override;
    // The instance name of an FB instance, empty for a function.
    std::string GetOperand() const override;
    // Children first, then the live value beside each operand.
    void DrawMonitorState(int originCol, int originRow, int cellWidth, int cellHeight, CDC* dc) override;
    // Stores the text into the selected label; see the class comment for the index.
    void SetOperand(const std::string& text) override;
    BOOL HitTestOperandLabel(CPoint* point, std::string* text, int cellWidth, int cellHeight, BOOL select) override;
    BOOL HitTestOperandText(int x, int y, int cellWidth, int cellHeight, std::string* text) override;
    // "LD TRUE" when the box opens its rung, its own lines, then its successor's.
    std::string GetILText() override;

    // Height in cells from the parameter counts.
    void UpdateHeight();
    // The interface name, trimmed; the word-logic names with "__" in front.
    std::string GetInstructionName() const;
    // Refreshes the counts; TRUE when the given interface has other counts.
    BOOL InterfaceChanged(const CZULFunc* current);
    // Whether the operand suits a parameter with these flags.
    BOOL CheckOperand(DWORD flags, const std::string& operand) const;
    // Offers the instance to the project's FB-instance table for the POU;
    // FALSE for a function, an unnamed instance or a refusal.
    BOOL RegisterFBInstance(const std::string& pouName) const;

    // The type a pin's live value is shown in (an input's or an output's,
    // by index); the editor resolves it at every monitor refresh, 0 until then.
    void SetActualType(BOOL input, int index, OperandTypeFlags type);
    OperandTypeFlags GetActualType(BOOL input, int index) const;

    // The box as the LD clipboard carries it: name and operands, each followed by a blank.
    std::string GetTransferText() const;
    int GetForced(int label) const;

    // The nested interface's parameters.
    int GetInputCount() const;
    int GetOutputCount() const;
    CZULFBPara* GetInput(int index) const;
    CZULFBPara* GetOutput(int index) const;
    // The operand of a parameter; empty past the end.
    std::string GetInputOperand(int index) const;
    std::string GetOutputOperand(int index) const;
    // The interface name as stored (function, subroutine or FB type name).
    std::string GetName() const;

    // The label of a parameter, or -1 when the parameter has none.
    int InputLabel(int index) const;
    int OutputLabel(int index) const;
    CPoint GetLabelAnchor(int label) const;
    int GetLabelFound(int label) const;
    int GetNameFound() const { return m_nameFound; }
    int GetInstanceFound() const { return m_instanceFound; }

private:
    // The box, its pins, names and operands.
    void DrawBox(const CLDLayoutPass& pass);
    void DrawLiveValue(CDC* dc, const CZULFBPara* para, int pin, BOOL input, int originCol, int originRow,
                       int cellWidth, int cellHeight);
    // Find frames and, while monitoring, the locks of forced operands.
    void DrawMarks(const CLDLayoutPass& pass) const;
    void DrawPins(const CLDLayoutPass& pass, int boxLeft, int boxRight, COLORREF textColour);
    void DrawOperandText(const CLDLayoutPass& pass, int label, const CZULFBPara* para, int x, int y, int alignment);
    // Whether a text matches the search copy under the dialog's options.
    BOOL Matches(const std::string& text, const std::string& searchCopy, std::string* copy) const;
    // Fills the find result of the current count when it is free.
    void FillResult(int action, int instanceFlag, int paramIndex, int paramGroup, const std::string& text) const;
    // The report line of an operand label, before any replacement note.
    std::string OperandReportLine(int label, BOOL replaced) const;
    // Replaces in the operands; only the first hit of the pass when firstOnly.
    int ReplaceOperands(const std::string& find, const std::string& replace, BOOL firstOnly);
    CSize Layout(const CLDLayoutPass& pass, BOOL wiringCell);
    void RefreshCounts();
    void ComputeAnchors(int cellWidth, int cellHeight, int textHeight);
    // The parameter of a label (instance label: null), with its direction.
    CZULFBPara* LabelParameter(int label) const;
    int LastLabel() const;
    BOOL IsSeriesBoxOrNode(const CLDElement* element) const;
    BOOL HitLabel(int label, int x, int y, int labelWidth, int cellHeight) const;
    void ClearFoundFlags();

    int m_inputCount = 0;
    int m_outputCount = 0;
    int m_isFunction = 0;
    CPoint m_anchors[BLOCK_LABEL_SLOTS];
    int m_labelFound[BLOCK_LABEL_SLOTS] = {};
    int m_forced[BLOCK_LABEL_SLOTS] = {};
    int m_nameFound = 0;
    int m_instanceFound = 0;
    std::unique_ptr<CZULFB> m_fb;
    std::unique_ptr<CZULFunc> m_function;
    std::vector<OperandTypeFlags> m_inputTypes;
    std::vector<OperandTypeFlags> m_outputTypes;
};
