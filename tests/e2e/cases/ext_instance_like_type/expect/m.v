// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module alu(m_clock, p_reset, a, b, out, add);
   input m_clock;
   input p_reset;
   input [3:0] a;
   input [3:0] b;
   output [3:0] out;
   input add;

   assign out = (((add))?(a+b):4'b0);
endmodule

module m(m_clock, p_reset, x, y, c, o);
   input m_clock;
   input p_reset;
   input [3:0] x;
   input [3:0] y;
   input c;
   output [3:0] o;
   wire [3:0] _alu_a;
   wire [3:0] _alu_b;
   wire [3:0] _alu_out;
   wire _alu_add;
   alu alu(.m_clock(m_clock), .p_reset(p_reset), .a(_alu_a), .b(_alu_b), .out(_alu_out), .add(_alu_add));

   assign o = _alu_out;

   assign _alu_a = (((c))?x:4'b0)|
   ((1'b1)?y:4'b0);

   assign _alu_b = (((c))?y:4'b0);

   assign _alu_add = (((c))?1'b1:1'b0);
endmodule
