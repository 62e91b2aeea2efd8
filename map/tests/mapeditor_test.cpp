#include <QTemporaryDir>

#include "map/component/mepresenterimpl.h"
#include "map/tests/mapfixture.h"

using MapEditor = MapViewFixture;

TEST_F(MapEditor, IdentifiersStartAtOneAgainAfterDeleteAll) {
  TMapEditor* editor = view->MapEditor.get();
  for (int i = 0; i < 5; ++i) editor->InsertObject({1217000 + i * 100, 6482000}, 15, "", "", 2, 2);
  ASSERT_TRUE(editor->DeleteAllObjects(0));
  QList<int> ids;
  for (int i = 0; i < 3; ++i)
    ids.append(editor->InsertObject({1217000, 6482000}, 15, "", "", 2, 0));
  EXPECT_EQ(ids, (QList<int>{1, 2, 3}));
}

TEST_F(MapEditor, ObjectOperationsWithoutLayerAnswerFalse) {
  TMapEditor editor(nullptr);
  EXPECT_EQ(editor.InsertObject({1, 1}, 15, "", "", 0, 0), -1);
  EXPECT_FALSE(editor.UpdateObject(1, {1, 1}, 15, "", "", 0, 0));
  EXPECT_FALSE(editor.DeleteObject(1, 0));
  EXPECT_FALSE(editor.DeleteAllObjects(0));
  EXPECT_FALSE(editor.SelectObject(1, 0, true));
  EXPECT_FALSE(editor.CreateLayer());
}

TEST_F(MapEditor, FindsItsLayerAndRenamesIt) {
  TMapEditor* editor = view->MapEditor.get();
  ASSERT_NE(editor->GetMEView(), nullptr);
  EXPECT_EQ(editor->GetMEView()->Name(), "Test");
  editor->SetLayerName(QStringLiteral("Touren"));
  EXPECT_EQ(editor->GetMEView()->DisplayName(), "Touren");
  EXPECT_EQ(editor->ObjectGroup, "Touren");
  EXPECT_EQ(editor->GetLayerNames(0), "Touren\r\n");
  EXPECT_EQ(editor->GetLayerNames(2), "");
}

TEST_F(MapEditor, MemoryLayerLosesItsObjectsPersistentLayerKeepsThem) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("ebene.zme"));
  {
    TMapEditor editor(nullptr);
    editor.DBPath = file;
    editor.CreateMapEditor(view->m_MapModel, view->GetIMapView(), QStringLiteral("Dauer"));
    ASSERT_NE(editor.m_MEModel, nullptr);
    editor.InsertObject({1217000, 6482000}, 15, "a", "", 3, 0);
    editor.InsertObject({1217100, 6482000}, 15, "b", "", 4, 0);
    EXPECT_TRUE(editor.DeleteLayer());
  }
  TMapEditor again(nullptr);
  again.DBPath = file;
  again.CreateMapEditor(view->m_MapModel, view->GetIMapView(), QStringLiteral("Dauer"));
  ASSERT_NE(again.m_MEModel, nullptr);
  EXPECT_EQ(again.m_MEModel->ObjectCount(), 2);

  std::shared_ptr<IMEModel> memory = view->MapEditor->m_MEModel;
  view->MapEditor->InsertObject({1217000, 6482000}, 15, "", "", 3, 2);
  EXPECT_TRUE(view->MapEditor->DeleteLayer());
  EXPECT_EQ(memory->ObjectCount(), 0);
  EXPECT_EQ(view->MapEditor->GetMEView(), nullptr);
}

TEST_F(MapEditor, ClearingTheSelectionEmptiesTheSelectedStations) {
  AddStation(QStringLiteral("4711"), 1217500, 6482000);
  view->SetStationsInMap(15, -1, QString());
  ASSERT_TRUE(view->SelectStation(4711, 0));
  ASSERT_EQ(view->SelectedStationList->Count(), 1);
  EXPECT_TRUE(view->MapEditor->m_Selection->Contains(view->GetMEId(4711)));
  EXPECT_TRUE(view->SelectMEObject(0, 9, true));
  EXPECT_EQ(view->SelectedStationList->Count(), 0);
  EXPECT_EQ(view->MapEditor->m_Selection->Count(), 0);
}
