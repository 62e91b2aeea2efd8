// Statements: SELECT with its sources, INSERT, UPDATE, DELETE and the DDL that Jet offers.
#include <QSet>

#include "sql/jet/jetemitter.h"
#include "sql/jet/jeterror.h"
#include "sql/jet/jetparser.h"

namespace {

[[noreturn]] void RaiseUnknownColumn(const JetTableInfo& Table, const JetNamePos& Column) {
  RaiseJetError(QStringLiteral("Unbekannter Feldname \"%1\" in Tabelle \"%2\" (an Position %3).")
                    .arg(Column.Name, Table.Name)
                    .arg(Column.Position));
}

bool IsReservedTableName(const QString& Name) {
  return Name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

QString IndexSqliteName(const QString& Table, const QString& Index) {
  // Jet index names belong to their table; SQLite's are global.
  return Table + QLatin1Char('.') + Index;
}

}  // namespace

JetCompiledStatement JetEmitter::Compile(const JetStatement& Statement) {
  JetCompiledStatement compiled = std::visit(
      [this](const auto& statement) -> JetCompiledStatement {
        using T = std::decay_t<decltype(statement)>;
        if constexpr (std::is_same_v<T, JetSelect>) return CompileSelectStatement(statement);
        if constexpr (std::is_same_v<T, JetInsert>) return CompileInsert(statement);
        if constexpr (std::is_same_v<T, JetUpdate>) return CompileUpdate(statement);
        if constexpr (std::is_same_v<T, JetDelete>) return CompileDelete(statement);
        if constexpr (std::is_same_v<T, JetCreateTable>) return CompileCreateTable(statement);
        if constexpr (std::is_same_v<T, JetCreateIndex>) return CompileCreateIndex(statement);
        if constexpr (std::is_same_v<T, JetDropTable>) return CompileDropTable(statement);
        if constexpr (std::is_same_v<T, JetDropIndex>) return CompileDropIndex(statement);
      },
      Statement);
  compiled.Parameters = FParameters;
  return compiled;
}

const JetTableInfo& JetEmitter::RequireTable(const JetNamePos& Name) const {
  const JetTableInfo* table =
      IsReservedTableName(Name.Name) ? nullptr : FSchema.FindTable(Name.Name);
  if (!table)
    RaiseJetError(QStringLiteral("Das Datenbankmodul findet die Eingabetabelle oder Abfrage \"%1\" "
                                 "nicht (an Position %2).")
                      .arg(Name.Name)
                      .arg(Name.Position));
  return *table;
}

JetScope JetEmitter::TableScope(const JetTableInfo& Table) const {
  JetScope scope;
  scope.Sources.append({Table.Name, Quote(Table.Name), Table.Columns});
  return scope;
}

// --- SELECT ------------------------------------------------------------------------------

JetCompiledStatement JetEmitter::CompileSelectStatement(const JetSelect& Select) {
  SelectOutput output = CompileSelect(Select, nullptr);
  JetCompiledStatement compiled;
  compiled.Type = JetCompiledStatement::Kind::Query;
  compiled.Sql = output.Sql;
  compiled.Columns = output.Columns;
  return compiled;
}

QString JetEmitter::CompileSource(const JetSource& Source, JetScope& Scope) {
  switch (Source.Type) {
    case JetSource::Kind::Table: {
      const JetTableInfo& table = RequireTable({Source.Name, Source.Position});
      const QString qualifier = Source.Alias.isEmpty() ? table.Name : Source.Alias;
      for (const JetScopeSource& existing : Scope.Sources)
        if (existing.Qualifier.compare(qualifier, Qt::CaseInsensitive) == 0)
          RaiseJetError(QStringLiteral("Die Tabelle \"%1\" kommt mehrfach ohne eigenen Aliasnamen "
                                       "vor (an Position %2).")
                            .arg(qualifier)
                            .arg(Source.Position));
      Scope.Sources.append({qualifier, Quote(qualifier), table.Columns});
      return Source.Alias.isEmpty() ? Quote(table.Name)
                                    : Quote(table.Name) + QStringLiteral(" AS ") + Quote(qualifier);
    }
    case JetSource::Kind::Subquery: {
      const SelectOutput inner = CompileSelect(*Source.Query, nullptr);
      JetScopeSource source{Source.Alias, Quote(Source.Alias), {}};
      for (const JetResultColumn& column : inner.Columns) {
        JetColumnInfo info;
        info.Name = column.Name;
        info.Type.Type = column.Type;
        source.Columns.append(info);
      }
      Scope.Sources.append(source);
      return QStringLiteral("(%1) AS %2").arg(inner.Sql, Quote(Source.Alias));
    }
    case JetSource::Kind::Join: {
      const QString left = CompileSource(*Source.Left, Scope);
      const QString right = CompileSource(*Source.Right, Scope);
      const JetTyped on = CompileCondition(*Source.On, Scope, AggregateRule::Forbidden);
      return QStringLiteral("(%1 %2 JOIN %3 ON %4)").arg(left, Source.JoinType, right, on.Sql);
    }
  }
  return QString();
}

bool JetEmitter::AddSelectItem(const JetSelectItem& Item, const JetScope& Scope, bool Distinct,
                               QStringList& Expressions, QVector<JetResultColumn>& Columns,
                               int& ExpressionNumber) {
  if (Item.Expr->Type == JetExpr::Kind::Star) {
    bool matched = false;
    for (const JetScopeSource& source : Scope.Sources) {
      if (!Item.Expr->Qualifier.isEmpty() &&
          source.Qualifier.compare(Item.Expr->Qualifier, Qt::CaseInsensitive) != 0)
        continue;
      matched = true;
      for (const JetColumnInfo& column : source.Columns) {
        const QString sql = source.SqlName + QLatin1Char('.') + Quote(column.Name);
        Expressions.append(sql);
        Columns.append({column.Name, column.Type.Type});
        if (FBareColumns)
          FBareColumns->append({sql, source.Qualifier + QLatin1Char('.') + column.Name});
      }
    }
    if (!matched)
      RaiseJetError(Item.Expr->Qualifier.isEmpty()
                        ? QStringLiteral("\"*\" ohne Tabelle in FROM (an Position %1).")
                              .arg(Item.Expr->Position)
                        : QStringLiteral("Unbekannte Tabelle \"%1\" vor \".*\" (an Position %2).")
                              .arg(Item.Expr->Qualifier)
                              .arg(Item.Expr->Position));
    return false;
  }
  const JetTyped value = CompileExpr(*Item.Expr, Scope);
  // Jet names an unnamed expression Expr1000, Expr1001, ...
  QString name = Item.Alias;
  if (name.isEmpty()) name = value.ColumnName;
  if (name.isEmpty()) name = QStringLiteral("Expr%1").arg(ExpressionNumber++);
  const QString collation = Distinct && IsTextType(value.Type) ? TextCollation() : QString();
  Expressions.append(QStringLiteral("(%1)%2").arg(value.Sql, collation));
  Columns.append({name, value.Type});
  return value.HasAggregate;
}

QString JetEmitter::CompileOrderBy(const JetSelect& Select, const JetScope& Scope,
                                   const QVector<JetResultColumn>& Columns, bool& HasAggregate) {
  JetScope orderScope = Scope;
  orderScope.SelectAliases = &Columns;
  FBareScope = &orderScope;
  QStringList terms;
  for (const JetOrderItem& term : Select.OrderBy) {
    const QString direction = term.Descending ? QStringLiteral(" DESC") : QString();
    if (term.Expr->Type == JetExpr::Kind::Literal &&
        term.Expr->Literal == JetExpr::LiteralType::Integer) {
      // ORDER BY 2 sorts by the second selected field, in Jet as in SQLite.
      const qlonglong position = term.Expr->Value.toLongLong();
      if (position < 1 || position > Columns.size())
        RaiseJetError(QStringLiteral("ORDER BY %1: die Abfrage hat kein Feld an dieser Stelle.")
                          .arg(position));
      terms.append(QString::number(position) +
                   (IsTextType(Columns[position - 1].Type) ? TextCollation() : QString()) +
                   direction);
      continue;
    }
    const JetTyped value = CompileCondition(*term.Expr, orderScope, AggregateRule::Allowed);
    HasAggregate = HasAggregate || value.HasAggregate;
    terms.append(
        QStringLiteral("(%1)%2%3")
            .arg(value.Sql, IsTextType(value.Type) ? TextCollation() : QString(), direction));
  }
  FBareScope = &Scope;
  return terms.join(QStringLiteral(", "));
}

void JetEmitter::RequireGrouped(const QVector<BareColumn>& Columns, const QStringList& GroupTerms) {
  // SQLite would silently take any row's value; Jet refuses such a query.
  for (const BareColumn& column : Columns) {
    bool grouped = false;
    for (const QString& term : GroupTerms) grouped = grouped || term.contains(column.Sql);
    if (!grouped)
      RaiseJetError(QStringLiteral("Die Abfrage schließt den Ausdruck \"%1\" nicht als Teil "
                                   "einer Aggregatfunktion oder Gruppierung ein.")
                        .arg(column.Name));
  }
}

JetEmitter::SelectOutput JetEmitter::CompileSelect(const JetSelect& Select, const JetScope* Outer,
                                                   bool NumberedAliases) {
  JetScope scope;
  scope.Outer = Outer;
  QStringList from;
  for (const JetSourcePtr& source : Select.From) from.append(CompileSource(*source, scope));

  // Columns outside aggregates are noted for this select only, not for its subqueries'.
  QVector<BareColumn> bareColumns;
  QVector<BareColumn>* const savedBareColumns = FBareColumns;
  const JetScope* const savedBareScope = FBareScope;
  FBareColumns = &bareColumns;
  FBareScope = &scope;

  SelectOutput output;
  QStringList expressions;
  int expressionNumber = 1000;
  bool aggregate = false;
  {
    const AggregateRule saved = FAggregates;
    FAggregates = AggregateRule::Allowed;
    for (const JetSelectItem& item : Select.Items)
      aggregate = AddSelectItem(item, scope, Select.Distinct, expressions, output.Columns,
                                expressionNumber) ||
                  aggregate;
    FAggregates = saved;
  }
  QStringList items;
  for (int i = 0; i < expressions.size(); ++i) {
    // INSERT ... SELECT reads the values back by position.
    const QString alias =
        NumberedAliases ? QStringLiteral("c%1").arg(i + 1) : output.Columns[i].Name;
    items.append(expressions[i] + QStringLiteral(" AS ") + Quote(alias));
  }

  QString sql = QStringLiteral("SELECT ");
  if (Select.Distinct) sql += QStringLiteral("DISTINCT ");
  sql += items.join(QStringLiteral(", "));
  if (!from.isEmpty()) sql += QStringLiteral(" FROM ") + from.join(QStringLiteral(", "));
  FBareColumns = nullptr;
  if (Select.Where)
    sql += QStringLiteral(" WHERE ") +
           CompileCondition(*Select.Where, scope, AggregateRule::Forbidden).Sql;
  QStringList groupTerms;
  for (const JetExprPtr& term : Select.GroupBy) {
    const JetTyped value = CompileCondition(*term, scope, AggregateRule::Forbidden);
    groupTerms.append(QStringLiteral("(%1)%2").arg(
        value.Sql, IsTextType(value.Type) ? TextCollation() : QString()));
  }
  if (!groupTerms.isEmpty())
    sql += QStringLiteral(" GROUP BY ") + groupTerms.join(QStringLiteral(", "));
  FBareColumns = &bareColumns;
  if (Select.Having) {
    aggregate = true;
    sql += QStringLiteral(" HAVING ") +
           CompileCondition(*Select.Having, scope, AggregateRule::Allowed).Sql;
  }
  if (!Select.OrderBy.empty())
    sql += QStringLiteral(" ORDER BY ") + CompileOrderBy(Select, scope, output.Columns, aggregate);
  FBareColumns = savedBareColumns;
  FBareScope = savedBareScope;
  if (aggregate || !groupTerms.isEmpty()) RequireGrouped(bareColumns, groupTerms);

  if (Select.Top >= 0) {
    if (Select.TopPercent)
      RaiseJetError(QStringLiteral("TOP ... PERCENT wird nicht unterstützt (an Position %1).")
                        .arg(Select.Position));
    sql += QStringLiteral(" LIMIT %1").arg(Select.Top);
  }
  output.Sql = sql;
  return output;
}

// --- changes -----------------------------------------------------------------------------

QString JetEmitter::Coerced(const JetTyped& Value, const JetTableInfo& Table,
                            const JetColumnInfo& Column) {
  // Every value that goes into a column is converted to the column's type the way Jet
  // converts it, with Jet's errors for text that is too long or not a number.
  const QString typeName = AddParameter(JetTypeName(Column.Type.Type));
  const QString size = AddParameter(Column.Type.Size);
  const QString label = AddParameter(Table.Name + QLatin1Char('.') + Column.Name);
  return QStringLiteral("jet_to(%1, %2, %3, %4, %5)")
      .arg(Value.Sql)
      .arg(JetValueKind(Value.Type))
      .arg(typeName, size, label);
}

JetCompiledStatement JetEmitter::CompileInsert(const JetInsert& Insert) {
  const JetTableInfo& table = RequireTable(Insert.Table);
  QVector<int> targets;
  if (Insert.Columns.isEmpty()) {
    for (int i = 0; i < table.Columns.size(); ++i) targets.append(i);
  } else {
    for (const JetNamePos& column : Insert.Columns) {
      const int index = table.FindColumn(column.Name);
      if (index < 0) RaiseUnknownColumn(table, column);
      if (targets.contains(index))
        RaiseJetError(QStringLiteral("Das Feld \"%1\" ist mehrfach als Ziel angegeben (an Position "
                                     "%2).")
                          .arg(column.Name)
                          .arg(column.Position));
      targets.append(index);
    }
  }
  QStringList names;
  for (int index : targets) names.append(Quote(table.Columns[index].Name));

  QStringList values;
  QString source;
  if (Insert.Query) {
    const SelectOutput inner = CompileSelect(*Insert.Query, nullptr, true);
    if (inner.Columns.size() != targets.size())
      RaiseJetError(QStringLiteral("Anzahl der Abfragewerte und Zielfelder stimmt nicht überein."));
    for (int i = 0; i < targets.size(); ++i) {
      JetTyped value;
      value.Sql = QStringLiteral("\"c%1\"").arg(i + 1);
      value.Type = inner.Columns[i].Type;
      values.append(Coerced(value, table, table.Columns[targets[i]]));
    }
    source =
        QStringLiteral("SELECT %1 FROM (%2)").arg(values.join(QStringLiteral(", ")), inner.Sql);
  } else {
    if (qsizetype(Insert.Values.size()) != targets.size())
      RaiseJetError(QStringLiteral("Anzahl der Abfragewerte und Zielfelder stimmt nicht überein."));
    const JetScope noColumns;
    for (int i = 0; i < targets.size(); ++i) {
      const JetTyped value =
          CompileCondition(*Insert.Values[i], noColumns, AggregateRule::Forbidden);
      values.append(Coerced(value, table, table.Columns[targets[i]]));
    }
    source = QStringLiteral("VALUES (%1)").arg(values.join(QStringLiteral(", ")));
  }
  JetCompiledStatement compiled;
  compiled.Type = JetCompiledStatement::Kind::Change;
  compiled.Sql = QStringLiteral("INSERT INTO %1 (%2) %3")
                     .arg(Quote(table.Name), names.join(QStringLiteral(", ")), source);
  return compiled;
}

JetCompiledStatement JetEmitter::CompileUpdate(const JetUpdate& Update) {
  const JetTableInfo& table = RequireTable(Update.Table);
  const JetScope scope = TableScope(table);
  QStringList assignments;
  QSet<int> assigned;
  for (int i = 0; i < Update.Targets.size(); ++i) {
    const int index = table.FindColumn(Update.Targets[i].Name);
    if (index < 0) RaiseUnknownColumn(table, Update.Targets[i]);
    if (assigned.contains(index))
      RaiseJetError(QStringLiteral("Das Feld \"%1\" wird mehrfach gesetzt (an Position %2).")
                        .arg(Update.Targets[i].Name)
                        .arg(Update.Targets[i].Position));
    assigned.insert(index);
    const JetTyped value = CompileCondition(*Update.Values[i], scope, AggregateRule::Forbidden);
    assignments.append(QStringLiteral("%1 = %2").arg(Quote(table.Columns[index].Name),
                                                     Coerced(value, table, table.Columns[index])));
  }
  JetCompiledStatement compiled;
  compiled.Type = JetCompiledStatement::Kind::Change;
  compiled.Sql = QStringLiteral("UPDATE %1 SET %2")
                     .arg(Quote(table.Name), assignments.join(QStringLiteral(", ")));
  if (Update.Where)
    compiled.Sql += QStringLiteral(" WHERE ") +
                    CompileCondition(*Update.Where, scope, AggregateRule::Forbidden).Sql;
  return compiled;
}

JetCompiledStatement JetEmitter::CompileDelete(const JetDelete& Delete) {
  const JetTableInfo& table = RequireTable(Delete.Table);
  JetCompiledStatement compiled;
  compiled.Type = JetCompiledStatement::Kind::Change;
  compiled.Sql = QStringLiteral("DELETE FROM %1").arg(Quote(table.Name));
  if (Delete.Where)
    compiled.Sql +=
        QStringLiteral(" WHERE ") +
        CompileCondition(*Delete.Where, TableScope(table), AggregateRule::Forbidden).Sql;
  return compiled;
}

// --- DDL -----------------------------------------------------------------------------------

JetCompiledStatement JetEmitter::CompileCreateTable(const JetCreateTable& Create) {
  if (IsReservedTableName(Create.Table.Name))
    RaiseJetError(QStringLiteral("Der Tabellenname \"%1\" ist reserviert.").arg(Create.Table.Name));
  if (FSchema.FindTable(Create.Table.Name))
    RaiseJetError(
        QStringLiteral("Die Tabelle \"%1\" ist bereits vorhanden.").arg(Create.Table.Name));

  QVector<JetColumnType> types;
  QStringList seen;
  for (const JetColumnDef& column : Create.Columns) {
    JetColumnType type;
    if (!JetTypeFromDdlName(column.TypeName, column.Size, type))
      RaiseJetError(
          QStringLiteral("Unbekannter Datentyp \"%1\" für das Feld \"%2\" (an Position %3).")
              .arg(column.TypeName, column.Name.Name)
              .arg(column.TypePosition));
    if (type.Type == JetType::Text && (type.Size < 1 || type.Size > 255))
      RaiseJetError(
          QStringLiteral("Die Feldgröße %1 des Textfeldes \"%2\" liegt nicht zwischen 1 und "
                         "255.")
              .arg(type.Size)
              .arg(column.Name.Name));
    for (const QString& name : seen)
      if (name.compare(column.Name.Name, Qt::CaseInsensitive) == 0)
        RaiseJetError(QStringLiteral("Das Feld \"%1\" ist in der Tabelle mehrfach definiert.")
                          .arg(column.Name.Name));
    seen.append(column.Name.Name);
    types.append(type);
  }

  // Which columns form the primary key, inline or as a table constraint.
  QVector<int> primaryKey;
  QString primaryKeyName;
  QStringList tableConstraints;
  for (int i = 0; i < Create.Columns.size(); ++i) {
    if (!Create.Columns[i].PrimaryKey) continue;
    if (!primaryKey.isEmpty())
      RaiseJetError(QStringLiteral("Die Tabelle \"%1\" hat mehr als einen Primärschlüssel.")
                        .arg(Create.Table.Name));
    primaryKey.append(i);
    primaryKeyName = Create.Columns[i].ConstraintName;
  }
  auto columnIndex = [&](const JetNamePos& name) {
    for (int i = 0; i < Create.Columns.size(); ++i)
      if (Create.Columns[i].Name.Name.compare(name.Name, Qt::CaseInsensitive) == 0) return i;
    RaiseJetError(
        QStringLiteral("Unbekannter Feldname \"%1\" in der Einschränkung (an Position %2).")
            .arg(name.Name)
            .arg(name.Position));
  };
  for (const JetTableConstraint& constraint : Create.Constraints) {
    QVector<int> columns;
    for (const JetNamePos& name : constraint.Columns) columns.append(columnIndex(name));
    if (constraint.PrimaryKey) {
      if (!primaryKey.isEmpty())
        RaiseJetError(QStringLiteral("Die Tabelle \"%1\" hat mehr als einen Primärschlüssel.")
                          .arg(Create.Table.Name));
      primaryKey = columns;
      primaryKeyName = constraint.Name;
      continue;
    }
    QStringList names;
    for (int index : columns) names.append(Quote(Create.Columns[index].Name.Name));
    tableConstraints.append((constraint.Name.isEmpty()
                                 ? QString()
                                 : QStringLiteral("CONSTRAINT %1 ").arg(Quote(constraint.Name))) +
                            QStringLiteral("UNIQUE (%1)").arg(names.join(QStringLiteral(", "))));
  }

  int counter = -1;
  for (int i = 0; i < types.size(); ++i) {
    if (!types[i].Counter) continue;
    if (counter >= 0) RaiseJetError(QStringLiteral("Eine Tabelle kann nur ein Zählerfeld haben."));
    counter = i;
  }
  // A counter is SQLite's own row number; it must then be the key (or become it when the
  // table has none).
  if (counter >= 0 && primaryKey.isEmpty()) primaryKey.append(counter);
  if (counter >= 0 && (primaryKey.size() != 1 || primaryKey[0] != counter))
    RaiseJetError(QStringLiteral("Ein Zählerfeld neben einem anderen Primärschlüssel wird nicht "
                                 "unterstützt (Feld \"%1\").")
                      .arg(Create.Columns[counter].Name.Name));

  QStringList definitions;
  for (int i = 0; i < Create.Columns.size(); ++i) {
    const JetColumnDef& column = Create.Columns[i];
    QString definition = Quote(column.Name.Name) + QLatin1Char(' ') + SqliteDeclType(types[i]);
    const bool inlineKey = primaryKey.size() == 1 && primaryKey[0] == i;
    if (inlineKey) {
      if (!primaryKeyName.isEmpty())
        definition += QStringLiteral(" CONSTRAINT ") + Quote(primaryKeyName);
      definition += QStringLiteral(" PRIMARY KEY");
      if (i == counter) definition += QStringLiteral(" AUTOINCREMENT");
    }
    if (column.NotNull || primaryKey.contains(i)) definition += QStringLiteral(" NOT NULL");
    if (column.Unique && !inlineKey) definition += QStringLiteral(" UNIQUE");
    if (IsTextType(types[i].Type)) definition += TextCollation();
    definitions.append(definition);
  }
  if (primaryKey.size() > 1) {
    QStringList names;
    for (int index : primaryKey) names.append(Quote(Create.Columns[index].Name.Name));
    definitions.append((primaryKeyName.isEmpty()
                            ? QString()
                            : QStringLiteral("CONSTRAINT %1 ").arg(Quote(primaryKeyName))) +
                       QStringLiteral("PRIMARY KEY (%1)").arg(names.join(QStringLiteral(", "))));
  }
  definitions += tableConstraints;

  JetCompiledStatement compiled;
  compiled.Type = JetCompiledStatement::Kind::Definition;
  compiled.Sql = QStringLiteral("CREATE TABLE %1 (%2)")
                     .arg(Quote(Create.Table.Name), definitions.join(QStringLiteral(", ")));
  return compiled;
}

JetCompiledStatement JetEmitter::CompileCreateIndex(const JetCreateIndex& Create) {
  const JetTableInfo& table = RequireTable(Create.Table);
  const QString sqliteName = IndexSqliteName(table.Name, Create.Index.Name);
  if (FSchema.HasIndex(sqliteName))
    RaiseJetError(QStringLiteral("Der Index \"%1\" ist bereits vorhanden.").arg(Create.Index.Name));
  if (Create.DisallowNull)
    RaiseJetError(QStringLiteral("WITH DISALLOW NULL wird nicht unterstützt."));
  QStringList columns;
  for (const JetIndexColumn& column : Create.Columns) {
    const int index = table.FindColumn(column.Name.Name);
    if (index < 0) RaiseUnknownColumn(table, column.Name);
    columns.append(Quote(table.Columns[index].Name) +
                   (column.Descending ? QStringLiteral(" DESC") : QString()));
  }
  JetCompiledStatement compiled;
  compiled.Type = JetCompiledStatement::Kind::Definition;
  // WITH PRIMARY cannot add a key to an existing SQLite table; a unique index keeps its rule.
  compiled.Sql = QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                     .arg(Create.Unique || Create.Primary ? QStringLiteral("UNIQUE ") : QString(),
                          Quote(sqliteName), Quote(table.Name), columns.join(QStringLiteral(", ")));
  return compiled;
}

JetCompiledStatement JetEmitter::CompileDropTable(const JetDropTable& Drop) {
  const JetTableInfo& table = RequireTable(Drop.Table);
  JetCompiledStatement compiled;
  compiled.Type = JetCompiledStatement::Kind::Definition;
  compiled.Sql = QStringLiteral("DROP TABLE %1").arg(Quote(table.Name));
  return compiled;
}

JetCompiledStatement JetEmitter::CompileDropIndex(const JetDropIndex& Drop) {
  const JetTableInfo& table = RequireTable(Drop.Table);
  const QString sqliteName = IndexSqliteName(table.Name, Drop.Index.Name);
  if (!FSchema.HasIndex(sqliteName))
    RaiseJetError(QStringLiteral("Der Index \"%1\" ist in der Tabelle \"%2\" nicht vorhanden.")
                      .arg(Drop.Index.Name, table.Name));
  JetCompiledStatement compiled;
  compiled.Type = JetCompiledStatement::Kind::Definition;
  compiled.Sql = QStringLiteral("DROP INDEX %1").arg(Quote(sqliteName));
  return compiled;
}

JetCompiledStatement CompileJetSql(const QString& Statement, const JetSchema& Schema) {
  const JetStatement parsed = ParseJetSql(Statement);
  JetEmitter emitter(Schema);
  return emitter.Compile(parsed);
}
