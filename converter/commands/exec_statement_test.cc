// Tests of exec statement.
