// This file was translated at Sun Dec  6 19:20:49 2026
//  via sflc program written by kurotan

module m(m_clock, p_reset, go, a, b, x);
   input m_clock;
   input p_reset;
   input go;
   input a;
   input b;
   output x;

   assign x = (((go)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a))&(b)&((a)))?a:1'b0)|
   ((1'b1)?b:1'b0);
endmodule
