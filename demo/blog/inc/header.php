<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>Lark Hill Diary</title>
<script src="js/menu.js"></script>
</head>
<body>
<h1>Lark Hill Diary</h1>
